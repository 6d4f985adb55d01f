// The computer's decision at Master (pauses excluded) on the most expensive board a search over
// many boards finds, and the whole word check after a move on the main window's controls.
#include "bench/engine/DeliveredWords.h"
#include "engine/BoardView.h"
#include "engine/Computer.h"
#include "engine/Dictionary.h"
#include "engine/GameControls.h"
#include "engine/LetterSearch.h"
#include "engine/State.h"
#include "engine/WordCheck.h"
#include "platform/seams/Random.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// Draws that walk the columns in a fixed order, so every run decides the same way.
class CyclingRandom final : public platform::Random {
public:
    double next() override {
        m_at = (m_at + 0.381966) - static_cast<int>(m_at + 0.381966);
        return m_at;
    }
    void reseedFromClock() override {}

private:
    double m_at = 0.0;
};

// Letters that make no word of the list together.
constexpr char Filler[] = "qxjvzq";

// Look-ups the winning-move search makes on a board without a win: 26 per full window through
// each column's landing cell, plus the look-ahead above each landing cell.
int lookUps(const engine::BoardTags& tags) {
    int total = 0;
    for (int column = 0; column < engine::BoardColumns; ++column) {
        const int landing = engine::landingCell(tags, column);
        if (landing < 0) continue;
        for (int cell : {landing, landing + engine::BoardColumns}) {
            for (const engine::WordWindow& window : engine::windowsThrough(cell)) {
                bool full = true;
                for (int i = 0; i < 4; ++i)
                    if (i != window.place && engine::isEmptyTag(tags[window.cells[i]])) full = false;
                if (full) total += 26;
            }
        }
    }
    return total;
}

engine::BoardTags worstBoard() {
    std::mt19937 generator(20261208);
    engine::BoardTags worst = engine::emptyBoard();
    int worstCost = -1;
    for (int trial = 0; trial < 20000; ++trial) {
        engine::BoardTags tags = engine::emptyBoard();
        for (int column = 0; column < engine::BoardColumns; ++column) {
            const int height = static_cast<int>(generator() % 6);   // never full: every column open
            for (int row = 0; row < height; ++row)
                tags[row * engine::BoardColumns + column] = std::string(1, Filler[generator() % 5]);
        }
        const int cost = lookUps(tags);
        if (cost > worstCost) {
            worstCost = cost;
            worst = tags;
        }
    }
    return worst;
}

void ComputerDecisionMaster(benchmark::State& st) {
    bench_support::loadDeliveredWords();
    const engine::BoardTags tags = worstBoard();
    CyclingRandom random;
    for (int column = 0; column < engine::BoardColumns; ++column) {
        const int landing = engine::landingCell(tags, column);
        if (landing >= 0 && engine::winningLetterAt(tags, landing) >= 0) {
            std::fprintf(stderr, "the board must offer the computer no win\n");
            std::exit(1);
        }
    }
    for (auto _ : st) benchmark::DoNotOptimize(engine::chooseComputerMove(tags, engine::Master, random));
    st.counters["lookups"] = lookUps(tags);
}

// Every cell filled but 31, 38 and 41: a tile landing in cell 24 has eleven full windows and no
// word, and the full-board test runs on to cell 31.
void WordCheckAfterMove(benchmark::State& st) {
    bench_support::loadDeliveredWords();
    struct NoHttp final : platform::HttpClient {
        platform::HttpResult get(const std::string&, const platform::HttpOptions&) override { return {}; }
    } http;
    engine::GameControls controls(http);
    controls.Blank.Tag = "xx";
    engine::state().controls = &controls;
    for (int cell = 0; cell < engine::HoleCount; ++cell) {
        const bool empty = cell >= engine::CellCount || cell == 31 || cell == 38 || cell == 41;
        controls.Hole(cell).Picture = controls.Blank.Picture;
        controls.Hole(cell).Tag = empty ? std::string("xx") : std::string(1, Filler[(cell * 3) % 5]);
    }
    engine::state().GameOver = 0;
    for (auto _ : st) {
        engine::CheckForWord(24);
        benchmark::DoNotOptimize(engine::state().GameOver);
    }
    if (engine::state().GameOver != 0) st.SkipWithError("the board made a word");
    engine::state().controls = nullptr;
}

} // namespace

BENCHMARK(ComputerDecisionMaster)->Unit(benchmark::kMicrosecond);
BENCHMARK(WordCheckAfterMove)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
