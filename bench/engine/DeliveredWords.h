#pragma once
// The delivered dictionary in the word list, loaded once per run; a run without it measures
// nothing, so it stops at once. Header only; the bench defines TESSARINE_WORDLIST.
#include "engine/Dictionary.h"
#include "engine/State.h"

#include <cstdio>
#include <cstdlib>

namespace bench_support {

inline void loadDeliveredWords() {
    static bool done = false;
    if (done) return;
    done = true;
    engine::LoadWordList(TESSARINE_WORDLIST);
    if (engine::state().WordCount == 0) {
        std::fprintf(stderr, "no word list at %s\n", TESSARINE_WORDLIST);
        std::exit(1);
    }
}

} // namespace bench_support
