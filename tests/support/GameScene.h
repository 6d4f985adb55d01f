#pragma once
// A main window ready for play without a screen: the picture store and a board background in a
// scratch program folder, a small dictionary with definitions, a players.dat, the game-over
// dialog registered, and the hand that drags rack tiles. Header only.
#include "engine/Board.h"
#include "engine/GameEnd.h"
#include "engine/GameOverSeam.h"
#include "engine/Round.h"
#include "engine/State.h"
#include "engine/playerfile/PlayerFile.h"
#include "tests/support/TileHand.h"
#include "tests/support/UiScene.h"
#include "window/MainWindow.h"

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// The draw that Int(r * count + 1) - 1 turns into `value`.
inline double drawFor(int value, int count) { return (value + 0.5) / count; }
inline double letterDraw(char letter) { return drawFor(letter - 'a', 26); }
inline double columnDraw(int column) { return drawFor(column, 7); }

// One 246-byte record of "wordlist.dic": the word in six characters, the definition in 240.
inline std::string wordRecord(const std::string& word, const std::string& definition) {
    std::string w = word.substr(0, 6), d = definition.substr(0, 240);
    w.resize(6, ' ');
    d.resize(240, ' ');
    return w + d;
}

struct GameScene : UiScene {
    // words: (word, definition) pairs in file order.
    explicit GameScene(const std::vector<std::pair<std::string, std::string>>& words = {
                           {"word", "A unit of language."}, {"able", "Having the power to do something."}}) {
        writePictureStore();
        writePicture("Marble.bmp", 618, 449);
        std::string dictionary;
        for (const auto& [word, definition] : words) dictionary += wordRecord(word, definition);
        folder.write("wordlist.dic", dictionary);

        engine::State& s = engine::state();
        s.AppVersion = "1.1";
        s.UserName = "Alice";
        s.SkillLevel = engine::Beginner;
        s.SoundMyDrop = "dropped.wav";
        s.SoundOpponentDrop = "dropped2.wav";
        s.SoundPlayError = "missed.wav";
        // Unscripted draws give "q": no vowel, and a letter the tests never play by accident.
        doubles.random.fallback = letterDraw('q');
    }
    ~GameScene() {
        engine::setGameOverDialog(nullptr);
        for (platform::ui::Form* form : std::vector<platform::ui::Form*>(platform::ui::Desktop::instance().forms()))
            form->Unload();
    }

    window::MainWindow& main() { return window::main(); }

    // What the menu's "Play Against Computer" does, until the shell's command exists: seats,
    // names and colours, the opponent panel from the "Computer" record, the turn timer, a round.
    // rack: the eight letters the round deals.
    void startComputerGame(const std::string& rack) {
        engine::State& s = engine::state();
        window::MainWindow& w = main();
        engine::ResetBoard();
        s.Player1Name = s.UserName;
        s.MyColour = "blue";
        s.PlayerNumber = 1;
        s.Player2Name = "Computer";
        s.ComputerGame = 1;
        s.LanGame = 0;
        w.Label7.Caption = s.Player2Name;
        w.Label8.Caption = "Silicon Valley";
        w.lantimer.Enabled = true;
        w.Picture1.Picture = w.Pics.pcplayer.Picture;
        engine::PlayerFile file;
        if (file.exists() && file.find("Computer", s.PlayerRec) > 0) {
            w.Label10.Caption = std::to_string(s.PlayerRec.number(engine::PlayerField::Won));
            w.Label11.Caption = std::to_string(s.PlayerRec.number(engine::PlayerField::Lost));
            w.Label12.Caption = std::to_string(s.PlayerRec.number(engine::PlayerField::Tied));
            w.Label9.Caption = std::to_string(s.PlayerRec.number(engine::PlayerField::Played));
        }
        dealNext(rack);
        engine::StartRound();
    }

    // The letters the next deal gives, in rack order.
    void dealNext(const std::string& rack) {
        for (char letter : rack) doubles.random.draws.push_back(letterDraw(letter));
    }
    // The letter the next rack refill draws.
    void refillWith(char letter) { doubles.random.draws.push_back(letterDraw(letter)); }
    // The computer's next move at Beginner: a letter, then the column draws.
    void computerWillPlay(char letter, std::initializer_list<int> columns) {
        doubles.random.draws.push_back(letterDraw(letter));
        for (int column : columns) doubles.random.draws.push_back(columnDraw(column));
    }

    // Presses on a rack tile, drags it out over the bar around the rack and lets it go over the
    // given control, as the player's mouse does.
    void dragTileTo(platform::ui::Image& tile, platform::ui::Control& target) {
        testing_support::dragTileTo(main(), tile, target);
    }
    // The next 50 ms tick of the main window's timers.
    void tick() { timers.advance(50); }

    std::string tag(int cell) { return main().Hole(cell).Tag.get(); }
    bool rackShown() {
        for (platform::ui::Image* tile : main().rack())
            if (!tile->Visible) return false;
        return true;
    }
    std::string rackLetters() {
        std::string letters;
        for (platform::ui::Image* tile : main().rack()) letters += tile->Tag.get();
        return letters;
    }
};

} // namespace testing_support
