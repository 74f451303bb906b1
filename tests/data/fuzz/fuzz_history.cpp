// The "clip.dat" decoder on any bytes; what it reads must survive a write.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/HistoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> texts = DecodeHistory(bytes);
    std::size_t total = 0;
    for (const std::string& text : texts)
        total += 2 + text.size();
    if (!texts.empty() && total + 4 > size)
        std::abort();
    if (DecodeHistory(EncodeHistory(texts)) != texts)
        std::abort();
    return 0;
}
