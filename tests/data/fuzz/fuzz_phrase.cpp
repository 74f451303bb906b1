// Parse, DisplayText and OutputText of any line. The first byte chooses the
// mode: clipboard entry, whether icons exist, and a date holding "%%d".
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/PhraseItem.h"

namespace {

class FuzzPlatform : public PlatformSeam {
public:
    bool icons = false;
    std::string date;
    ShellIcon IconForPath(const std::string& path, int size) override
    {
        if (!icons || path.size() % 2)
            return {};
        return {size == 16 ? IconHandle{0x10} : IconHandle{0x20}, static_cast<std::int32_t>(path.size()), 5};
    }
    std::string CurrentDirectory() override { return "C:\\dir"; }
    std::string LongDate() override { return date; }
    std::string TimeOfDay() override { return "%%t%%d\\n"; }
};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static FuzzPlatform platform;
    InstallPlatform(&platform);
    const std::uint8_t mode = data[0];
    const bool fromClipboard = mode & 1;
    platform.icons = mode & 2;
    LabelIcon = (mode & 4) ? 0x30 : 0;
    platform.date = (mode & 8) ? "x%%d%%" : "2026/12/6";
    iconSize = (mode & 16) ? 32 : 16;
    const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);

    PhraseItem item;
    item.Parse(line, fromClipboard);
    const std::uint32_t f = item.flags;
    Check(f == 0x01 || f == 0x05 || f == 0x02 || f == 0x06 || f == 0x14 || f == 0x15);
    Check(fromClipboard == (f == 0x15));
    Check(item.label.empty() || item.label != item.content);
    Check(item.label.size() <= PhraseItem::LabelLimit + 3);
    Check(item.label.empty() || (f & PhraseItem::ItemSeparateLabel));
    if (f & PhraseItem::ItemVerbatim)
        Check(item.content == line && item.OutputText() == item.content);
    else
        for (char c : item.content)
            Check(static_cast<unsigned char>(c) >= 0x20);
    Check(!item.DisplayText().empty() || item.content.empty());
    Check(item.iconState <= 0 || item.HasIcon());
    Check(item.iconState != -1 || !item.HasIcon());

    const std::string output = item.OutputText();
    if (f & PhraseItem::ItemCommand)
        Check(output.empty() || output[0] != ' ');
    Check(output.size() <= item.content.size() * 16 + 16);
    return 0;
}
