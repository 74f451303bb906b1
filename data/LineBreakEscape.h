#pragma once
// The escape "\n" (backslash, n) of phrase lines, on Shift-JIS bytes.
#include <string>

#include "data/ShiftJis.h"

// Turns every "\n" into CR LF in place (same length). A backslash that is
// the second byte of a two-byte character (ソ, 表) is no escape.
void ExpandLineBreaks(std::string& text);
