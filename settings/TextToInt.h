#pragma once

// Text to number the way atoi reads it: leading white space, an optional sign,
// then decimal digits up to the first other character; no digits give 0.
// Unlike atoi, a value beyond the int range saturates at INT_MIN or INT_MAX.
int TextToInt(const char* text);
