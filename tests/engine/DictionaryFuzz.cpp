// Any bytes as "wordlist.dic": the load takes the whole records, the look-ups answer, nothing
// reads past the end.
#include "engine/Dictionary.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string file = "fuzz-wordlist-" + std::to_string(getpid()) + ".dic";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    engine::resetState();
    engine::LoadWordList(file);
    const engine::State& s = engine::state();
    const std::size_t records = size / engine::WordRecordLength;
    const std::size_t expected = records < engine::WordCapacity ? records : engine::WordCapacity;
    if (static_cast<std::size_t>(s.WordCount) != expected) __builtin_trap();
    for (int i = 1; i <= s.WordCount; ++i) {
        engine::IsInWordList(s.Words[i]);
        if (s.WordFound != 1) __builtin_trap();
    }
    engine::LookUpWord(std::string(reinterpret_cast<const char*>(data), size < 6 ? size : 6));
    engine::readWordRec(1, file);
    return 0;
}
