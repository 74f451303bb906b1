#pragma once
// The clipboard as another program sees it.
#include <optional>
#include <string>
#include <vector>

// CF_TEXT up to its terminating zero; nullopt when there is none.
std::optional<std::string> ReadClipboardText();

// One extra registered format set beside the text, e.g. "Clipboard Viewer Ignore"
// or "CanIncludeInClipboardHistory" with a DWORD value.
struct ExtraFormat {
    std::string name;
    std::optional<unsigned long> value;
};

// Replaces the clipboard contents with the text (when withText) and the extra formats.
bool WriteClipboardText(const std::string& text, const std::vector<ExtraFormat>& extras, bool withText = true);

// True when a format of that name is on the clipboard.
bool ClipboardHasFormat(const std::string& name);
