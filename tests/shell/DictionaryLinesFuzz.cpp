// Any dictionary file must list without a crash, and no record may lose a letter to wrapping.
#include "shell/DictionaryLines.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto listing = shell::listDictionary(bytes);
    if (listing.wordCount != static_cast<int>(size / shell::kWordRecordLength)) std::abort();
    (void)shell::findWordLine(listing.lines, bytes.substr(0, 2));
    return 0;
}
