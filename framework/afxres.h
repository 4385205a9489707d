#pragma once

// The framework's own prompts, as string resources. A program that carries
// them (in each of its languages) has them said in the user's language; one
// that does not gets them in English.
#define AFX_IDP_PARSE_INT        0xF110  // "Please enter a whole number."
#define AFX_IDP_PARSE_INT_RANGE  0xF112  // "Please enter a number from %d to %d."
