#pragma once
#include <string>

// The phrase list used when there is no settings file, in settings-file form
// (Shift-JIS, LF line ends). String resource 2 holds the same text.
std::string DefaultPhraseList();
