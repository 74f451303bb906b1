#pragma once
// Byte strings as hexadecimal text, so that Shift-JIS survives the shell.
#include <optional>
#include <string>

std::string ToHex(const std::string& bytes);
// Nullopt when the text is not an even number of hex digits.
std::optional<std::string> FromHex(const std::string& hex);
