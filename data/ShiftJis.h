#pragma once
// The one rule for Shift-JIS (code page 932) characters: 0x81-0x9F and
// 0xE0-0xFC begin a two-byte character; every other byte, half-width
// katakana (0xA1-0xDF) included, is a character of its own.
inline bool IsShiftJisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
