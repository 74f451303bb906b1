#pragma once
// The escape "\n" (backslash, n) of phrase lines, on Shift-JIS bytes.
#include <string>

// The first byte of a two-byte Shift-JIS character.
bool IsShiftJisLeadByte(unsigned char c);

// Turns every "\n" into CR LF in place (same length). A backslash that is
// the second byte of a two-byte character (ソ, 表) is no escape.
void ExpandLineBreaks(std::string& text);
