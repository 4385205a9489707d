#pragma once

// The framework's own prompts, as string resources. A program that carries
// them (in each of its languages) has them said in the user's language; one
// that does not gets them in English.
//
// MFC's numbers leave them alone in a string block (sixteen ids), which costs
// some 60 bytes in each language a program carries. A program with two ids
// to spare in a block of its own texts may number them there instead, for
// the framework's code and its resource scripts alike (compile definitions).
#ifndef AFX_IDP_PARSE_INT
#define AFX_IDP_PARSE_INT        0xF110  // "Please enter a whole number."
#define AFX_IDP_PARSE_INT_RANGE  0xF112  // "Please enter a number from %d to %d."
#endif
