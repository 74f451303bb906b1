#pragma once
// One parsed line of the phrase list, or one clipboard history entry.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "data/PlatformSeam.h"

struct PhraseItem {
    static constexpr std::uint32_t ItemText = 0x01;
    static constexpr std::uint32_t ItemCommand = 0x02;
    static constexpr std::uint32_t ItemSeparateLabel = 0x04;
    static constexpr std::uint32_t ItemVerbatim = 0x10;
    static constexpr std::size_t LabelLimit = 40;

    // A clipboard entry's text as it was copied, where its Shift-JIS form (content) lost
    // characters, with its label made by the same rules as the Shift-JIS one.
    struct ExactText {
        std::u16string text;
        std::u16string label;
    };

    IconHandle iconHandle = 0;
    std::int32_t iconIndex = 0;
    std::int32_t iconState = -1;  // -1 unresolved, 0 fixed icon, >0 image count of iconHandle
    std::string content;
    std::string label;
    std::uint32_t flags = 0xFFFFFFFFu;
    std::unique_ptr<ExactText> exact;  // null for the list's lines and for texts Shift-JIS holds
    // The entry's size as the menus last measured it, for the font of that
    // generation (0: none yet), with the icon size that went with it: a menu
    // asks for its entries' sizes at every showing, and they stay the same.
    struct Measured {
        std::uint32_t fontGeneration = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::int32_t iconSize = 0;
    } measured;

    // Fills the record from one whole line (without its line end). Every
    // byte counts, NUL included: normalisation turns it into a space.
    void Parse(std::string_view line, bool fromClipboard);
    const std::string& DisplayText() const { return label.empty() ? content : label; }
    void SetExactText(std::u16string text);
    bool SameText(std::string_view shiftJis, const std::u16string* exactText) const;
    // The text delivered (text items) or opened (command items).
    std::string OutputText() const;

    void ResolveIcon(std::optional<std::string_view> target = std::nullopt);
    void SetFixedIcon(IconHandle icon);
    void SetIconFromPath(const std::string& path);
    bool HasIcon() const { return iconHandle != 0; }
};
