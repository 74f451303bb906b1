#include "DialogTemplateReader.h"

#include "TestResources.h"

#include <cstring>

namespace {

// A bounds-checked walk over the template bytes; any overrun sets `failed`.
class TemplateCursor {
public:
    TemplateCursor(const BYTE* data, size_t size) : data_(data), size_(size) {}

    bool failed() const { return failed_; }

    template <typename T>
    T Read()
    {
        T value{};
        if (size_ - offset_ < sizeof(T)) {
            failed_ = true;
            return value;
        }
        memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }

    std::wstring ReadWideString()
    {
        std::wstring text;
        for (;;) {
            wchar_t c = Read<wchar_t>();
            if (failed_ || c == L'\0') {
                return text;
            }
            text.push_back(c);
        }
    }

    // A name or ordinal: 0 is none, 0xFFFF is followed by an ordinal.
    std::wstring ReadNameOrOrdinal(int& ordinal)
    {
        ordinal = 0;
        if (size_ - offset_ < sizeof(WORD)) {
            failed_ = true;
            return {};
        }
        WORD first = 0;
        memcpy(&first, data_ + offset_, sizeof(first));
        if (first == 0xFFFF) {
            offset_ += sizeof(WORD);
            ordinal = Read<WORD>();
            return {};
        }
        return ReadWideString();
    }

    void AlignToDword()
    {
        size_t aligned = (offset_ + 3) & ~size_t{3};
        offset_ = aligned <= size_ ? aligned : size_;
    }

    void Skip(size_t count)
    {
        if (size_ - offset_ < count) {
            failed_ = true;
            return;
        }
        offset_ += count;
    }

private:
    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
    bool failed_ = false;
};

RECT ReadRect(TemplateCursor& cursor)
{
    short x = cursor.Read<short>();
    short y = cursor.Read<short>();
    short cx = cursor.Read<short>();
    short cy = cursor.Read<short>();
    return RECT{x, y, x + cx, y + cy};
}

std::string PredefinedClassName(int atom)
{
    switch (atom) {
    case 0x80: return "BUTTON";
    case 0x81: return "EDIT";
    case 0x82: return "STATIC";
    case 0x83: return "LISTBOX";
    case 0x84: return "SCROLLBAR";
    case 0x85: return "COMBOBOX";
    default: return "#" + std::to_string(atom);
    }
}

DialogItemTemplate ReadItem(TemplateCursor& cursor)
{
    DialogItemTemplate item;
    cursor.AlignToDword();
    cursor.Read<DWORD>();  // help id
    item.exStyle = cursor.Read<DWORD>();
    item.style = cursor.Read<DWORD>();
    item.rect = ReadRect(cursor);
    item.id = static_cast<int>(cursor.Read<DWORD>());
    int classAtom = 0;
    std::wstring className = cursor.ReadNameOrOrdinal(classAtom);
    item.className = classAtom ? PredefinedClassName(classAtom) : ToAnsi(className);
    item.caption = ToAnsi(cursor.ReadNameOrOrdinal(item.captionOrdinal));
    cursor.Skip(cursor.Read<WORD>());  // creation data
    return item;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const BYTE* data, size_t size)
{
    TemplateCursor cursor(data, size);
    if (cursor.Read<WORD>() != 1 || cursor.Read<WORD>() != 0xFFFF) {
        return std::nullopt;
    }
    DialogTemplate dialog;
    cursor.Read<DWORD>();  // help id
    dialog.exStyle = cursor.Read<DWORD>();
    dialog.style = cursor.Read<DWORD>();
    WORD count = cursor.Read<WORD>();
    dialog.rect = ReadRect(cursor);
    int ordinal = 0;
    cursor.ReadNameOrOrdinal(ordinal);  // menu
    cursor.ReadNameOrOrdinal(ordinal);  // window class
    dialog.caption = ToAnsi(cursor.ReadWideString());
    if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
        dialog.pointSize = cursor.Read<WORD>();
        cursor.Read<WORD>();  // weight
        cursor.Read<BYTE>();  // italic
        dialog.charset = cursor.Read<BYTE>();
        dialog.typeface = ToAnsi(cursor.ReadWideString());
    }
    for (WORD i = 0; i < count && !cursor.failed(); ++i) {
        dialog.items.push_back(ReadItem(cursor));
    }
    if (cursor.failed()) {
        return std::nullopt;
    }
    return dialog;
}

std::optional<DialogTemplate> ReadDialogTemplate(int templateId)
{
    HRSRC found = FindResourceA(ResourceInstance(), MAKEINTRESOURCEA(templateId),
                                RT_DIALOG);
    if (!found) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(ResourceInstance(), found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return std::nullopt;
    }
    return ParseDialogTemplate(static_cast<const BYTE*>(data),
                               SizeofResource(ResourceInstance(), found));
}
