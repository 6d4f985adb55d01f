// The word check through cell 24 on a full board: eleven windows, all full, none a word, so every
// window is looked up. Once with the dictionary's index, once with the plain scan of the list in
// file order that upper-cases both sides of every comparison.
#include "bench/engine/DeliveredWords.h"
#include "engine/Board.h"
#include "engine/Dictionary.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Cell = 24;

engine::BoardTags fullBoard() {
    // Letters that rarely make words together; checked below.
    static const char pattern[] = "qxzjvkqwxzjqvkxzq";
    engine::BoardTags tags;
    for (int cell = 0; cell < engine::CellCount; ++cell)
        tags[cell] = std::string(1, pattern[(cell * 5) % (sizeof pattern - 1)]);
    return tags;
}

void scanLookUp(const std::string& word) {
    engine::State& s = engine::state();
    for (int i = 1; i <= s.WordCount; ++i)
        if (engine::vbUCase(s.Words[i]) == engine::vbUCase(word)) s.GameOver = 1;
}

template <class LookUp>
int wordCheck(const engine::BoardTags& tags, LookUp lookUp) {
    std::string word;
    for (const engine::WordWindow& window : engine::windowsThrough(Cell)) {
        if (!engine::readWindowWord(window, tags, word)) continue;
        lookUp(word);
        if (engine::state().GameOver == 1) return window.number;
    }
    return 0;
}

void setUp() {
    static bool done = false;
    if (done) return;
    done = true;
    bench_support::loadDeliveredWords();
    if (engine::windowsThrough(Cell).size() != 11 || wordCheck(fullBoard(), engine::LookUpWord) != 0) {
        std::fprintf(stderr, "the board must give eleven full windows and no word\n");
        std::exit(1);
    }
}

void WordCheckIndexed(benchmark::State& st) {
    setUp();
    const engine::BoardTags tags = fullBoard();
    for (auto _ : st) benchmark::DoNotOptimize(wordCheck(tags, engine::LookUpWord));
    st.counters["words"] = engine::state().WordCount;
}

void WordCheckLinearScan(benchmark::State& st) {
    setUp();
    const engine::BoardTags tags = fullBoard();
    for (auto _ : st) benchmark::DoNotOptimize(wordCheck(tags, scanLookUp));
    st.counters["words"] = engine::state().WordCount;
}

} // namespace

BENCHMARK(WordCheckIndexed)->Unit(benchmark::kMicrosecond);
BENCHMARK(WordCheckLinearScan)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
