// The readers on any bytes. The first byte's low bits choose 0 "clip.dat" (with "clipw.dat" after as many
// bytes as the next two say if the other six bits are set; 4 also the paste rules), 1 the settings file after
// as many bytes of "hkey.dat" as its other six bits say, 2 a phrase line, 3 a clipboard entry.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/HistoryCompanion.h"
#include "data/HistoryFile.h"
#include "data/LittleEndian.h"
#include "data/PasteRules.h"
#include "data/PhraseItem.h"
#include "data/SettingsFile.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

EncodedSettings ReadAndWrite(std::string_view hkey, std::string_view text) {
    AppSettings options;
    const DecodedSettings read = DecodeSettings(text, hkey, options);
    return EncodeSettings(options, read.menuHotkeys, read.lines);
}

// Read, written and read again: the same entries, exact texts only from a companion that matches. A file
// of ours gives no more records than its count says, fewer when cut short.
void ReadAndWriteHistory(bool withCompanion, std::string_view bytes) {
    const std::size_t clipSize = withCompanion ? TakeLittleEndian(bytes, 2).value_or(0) : bytes.size();
    const std::string_view clip = bytes.substr(0, clipSize);
    const DecodedHistoryFiles once = DecodeHistoryFiles(clip, bytes.substr(clip.size()));
    const EncodedHistoryFiles files = EncodeHistoryFiles(once.entries);
    const DecodedHistoryFiles twice = DecodeHistoryFiles(files.clipBytes, files.companionBytes);
    const bool exact = !files.companionBytes.empty();
    Check(files.clipBytes == EncodeHistory(DecodeHistory(clip)) && twice.entries == once.entries);
    Check(twice.companion == (exact ? CompanionStatus::Matched : CompanionStatus::Absent));
    Check(!exact || once.companion == CompanionStatus::Matched);
    const HistoryFileKind kind = ClassifyHistoryFile(clip);
    std::string_view count = clip.substr(std::min<std::size_t>(2, clip.size()));
    if (kind == HistoryFileKind::Whole || kind == HistoryFileKind::CutShort)
        Check(once.entries.size() + (kind == HistoryFileKind::CutShort) <=
              TakeLittleEndian(count, 2).value_or(0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t hkeySize = std::min<std::size_t>(data[0] >> 2, bytes.size());
    // What was read comes back when written and read again.
    if ((data[0] & 3) == 0) ReadAndWriteHistory(data[0] >> 2, bytes);
    if ((data[0] & 3) == 1) {
        const EncodedSettings once = ReadAndWrite(bytes.substr(0, hkeySize), bytes.substr(hkeySize));
        const EncodedSettings twice = ReadAndWrite(once.hkeyBytes, once.settingsBytes);
        Check(once.settingsBytes == twice.settingsBytes && once.hkeyBytes == twice.hkeyBytes);
    }
    if ((data[0] & 7) == 4) {
        const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
        for (const auto& u : ReadPasteRules(bytes).unreadable) Check(u.lineNumber - 1 < lines);  // from 1
    }
    if ((data[0] & 3) < 2) return 0;
    PhraseItem item;
    item.Parse(bytes, data[0] & 1);
    Check(item.OutputText() == item.content || !(item.flags & PhraseItem::ItemVerbatim));
    Check(item.label.size() <= PhraseItem::LabelLimit + 3);
    return 0;
}
