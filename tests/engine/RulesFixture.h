#pragma once
// Shared set-up for the game-rule tests: a fresh program-wide state wired to the doubles, a
// word list given by the test, and boards written as rows of letters.
#include "engine/Board.h"
#include "engine/Dictionary.h"
#include "engine/GameControls.h"
#include "engine/GameOverSeam.h"
#include "engine/State.h"
#include "tests/support/RecordingGameOver.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <unistd.h>
#include <string>

namespace rules_test {

inline void useWords(std::initializer_list<const char*> words) {
    engine::State& s = engine::state();
    s.Words.assign(1, std::string());
    for (const char* w : words) s.Words.emplace_back(w);
    s.WordCount = static_cast<std::int16_t>(words.size());
    engine::wordListChanged();
}

// Rows from the bottom up, seven characters each; '.' is an empty cell.
inline engine::BoardTags board(std::initializer_list<const char*> rowsFromBottom) {
    engine::BoardTags tags = engine::emptyBoard();
    int row = 0;
    for (const char* line : rowsFromBottom) {
        for (int column = 0; column < engine::BoardColumns; ++column)
            if (line[column] != '.') tags[row * engine::BoardColumns + column] = std::string(1, line[column]);
        ++row;
    }
    return tags;
}

// The draw that Int(r * count + 1) - 1 turns into `value`.
inline double drawFor(int value, int count) { return (value + 0.5) / count; }
inline double letterDraw(char letter) { return drawFor(letter - 'a', 26); }
inline double columnDraw(int column) { return drawFor(column, 7); }

class RulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine::resetState();
        engine::state().services = doubles.services();
        engine::state().controls = nullptr;
        useWords({});
    }
    void TearDown() override {
        engine::resetState();
        engine::state().services = {};
        engine::state().controls = nullptr;
        useWords({});
    }
    testing_support::Doubles doubles;
};

// Gives every tile of the picture store a picture of its own, so pictures tell tiles from the
// empty cell as they do with the game's artwork.
inline void giveStoreTilesPictures() {
    static bool done = false;
    if (done) return;
    done = true;
    namespace ui = platform::ui;
    // The smallest header a picture needs: "BM", then width and height at bytes 18 and 22.
    std::string bmp(26, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[18] = 32;
    bmp[22] = 32;
    const std::string file = (std::filesystem::temp_directory_path() / ("tessarine-rules-tile-" + std::to_string(::getpid()) + ".bmp")).string();
    std::ofstream(file, std::ios::binary) << bmp;
    engine::PictureStore& pics = engine::Pics();
    for (auto* set : {&pics.blue, &pics.red, &pics.yel}) {
        for (int i = 0; i < set->count(); ++i) {
            (*set)(i).Picture = ui::Picture::load(file);
            (*set)(i).Tag = std::string(1, static_cast<char>('a' + i));
        }
    }
    std::filesystem::remove(file);
}

// The main window's controls, a players.dat folder and a recording game-over dialog.
class WindowRulesTest : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        giveStoreTilesPictures();
        controls.Blank.Tag = "xx";
        for (int cell = 0; cell < engine::HoleCount; ++cell) {
            controls.Hole(cell).Picture = controls.Blank.Picture;
            controls.Hole(cell).Tag = controls.Blank.Tag;
        }
        controls.lantimer.Interval = 50;
        controls.inettimer.Interval = 10000;
        engine::state().controls = &controls;
        engine::state().SoundOn = 1;
        engine::state().SoundOpponentDrop = "dropped2.wav";
        engine::setGameOverDialog(&gameOver);
    }
    void TearDown() override {
        engine::setGameOverDialog(nullptr);
        RulesTest::TearDown();
    }

    // Alice logged on, in seat 1 against the computer.
    void seatAliceAgainstComputer() {
        engine::State& s = engine::state();
        s.UserName = "Alice";
        s.Player1Name = "Alice";
        s.Player2Name = "Computer";
    }
    // Places a tile of the given colour ("blue", "red") in a cell.
    void put(int cell, char letter, const char* colour = "blue") {
        engine::PictureStore& pics = engine::Pics();
        auto& set = std::string(colour) == "red" ? pics.red : pics.blue;
        controls.Hole(cell).Picture = set(letter - 'a').Picture;
        controls.Hole(cell).Tag = std::string(1, letter);
    }
    // Rows from the bottom up, seven characters each; '.' leaves the cell empty.
    void lay(std::initializer_list<const char*> rowsFromBottom) {
        int row = 0;
        for (const char* line : rowsFromBottom) {
            for (int column = 0; column < engine::BoardColumns; ++column)
                if (line[column] != '.') put(row * engine::BoardColumns + column, line[column]);
            ++row;
        }
    }
    std::string tag(int cell) const { return controls.Hole(cell).Tag.get(); }
    bool yellow(int cell) const {
        const int letter = engine::letterIndex(controls.Hole(cell).Tag.get());
        return letter >= 0 && controls.Hole(cell).Picture == engine::Pics().yel(letter).Picture;
    }
    const std::vector<std::string>& statusLines() const { return controls.StatusText.items(); }

    testing_support::TempDir folder{true};
    engine::GameControls controls{doubles.http};
    testing_support::RecordingGameOver gameOver;
};

} // namespace rules_test
