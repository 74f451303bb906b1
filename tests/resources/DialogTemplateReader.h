#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// One control of an extended dialog template, texts in the system code page.
struct DialogItemTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};          // left, top, right, bottom in dialog units
    int id = 0;
    std::string className;  // predefined classes by their names ("BUTTON", ...)
    std::string caption;
    int captionOrdinal = 0;  // a resource ordinal in place of a caption (icons)
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};
    std::string caption;
    int pointSize = 0;
    int charset = 0;
    std::string typeface;
    std::vector<DialogItemTemplate> items;
};

// Parses the DIALOGEX template with the given id from this executable's
// resources; nothing when it is missing, not extended or cut short.
std::optional<DialogTemplate> ReadDialogTemplate(int templateId);
std::optional<DialogTemplate> ParseDialogTemplate(const BYTE* data, size_t size);
