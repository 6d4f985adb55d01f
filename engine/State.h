#pragma once
// The program-wide state of the game: one object, reached through state(), read and written
// directly by every window and procedure. Integers that the game stores in 16 bits stay 16-bit.
#include "engine/ObjectRef.h"
#include "engine/playerfile/PlayerRecord.h"
#include "kvdplay/Interfaces.h"
#include "platform/seams/Services.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace engine {

struct GameControls;   // the main window's controls the game procedures touch

// One record of "wordlist.dic" as read into memory: both fields in full (blank padding kept),
// as UTF-8.
struct WordRecord {
    std::string Word;
    std::string Definition;
};

enum InetStates : std::int16_t { InetIdle = 0, InetPlaying = 1, InetWaiting = 2 };
enum SkillLevels : std::int16_t { Beginner = 1, Normal = 2, Master = 3 };

inline constexpr const char* ComputerName = "Computer";
inline constexpr int WordCapacity = 4000;

struct State {
    // The outside world (message boxes, clock, random numbers, sound, HTTP, exit, shell open).
    platform::Services services;
    // The main window's controls; set when the main window loads.
    GameControls* controls = nullptr;

    // Seats, names and turn.
    std::string UserName;
    std::string Player1Name;
    std::string Player2Name;
    std::int16_t PlayerNumber = 0;
    std::string MyColour;
    std::string TurnName;

    // Mode of play: at most one of these is set at a time.
    std::int16_t ComputerGame = 0;
    std::int16_t LanGame = 0;
    std::int16_t InetState = InetIdle;

    // Game progress.
    std::int16_t GameOver = 0;
    std::int16_t MoveEndedGame = 0;
    std::string WinningWord;
    std::uint8_t ChosenLetter = 99;   // 0..25, 99 = none
    std::int16_t WordFound = 0;
    std::string LastStarter;          // the name that started the previous round in this run

    // Between two rounds of one network pairing. A leave is counted, on both sides alike, only
    // for a round both have seen played: the first round of a pairing always, a round begun by
    // "Play Again" only once a move of the leaver's in it has reached the other side.
    std::int16_t RematchRound = 0;          // 1: the round in play was begun by "Play Again"
    std::int16_t OwnMoveDelivered = 0;      // 1: a move of the local player's in this round was posted
    std::int16_t OpponentMoveReceived = 0;  // 1: a move of the opponent's in this round has arrived
    // Moves of the opponent's next round that arrived while the local game-over dialog was still
    // open: letter index and cell, shown once this side has started that round too.
    std::vector<std::pair<int, int>> HeldMoves;

    // Profile values loaded at login and refreshed by the profile editor's save.
    std::string UserLocation;
    std::string PhotoUrl;
    std::string BoardFile;
    std::string LanProtocol;
    std::string UseProxy;             // "1" through a named proxy, "0" direct
    std::string ProxyAddress;
    std::int16_t SkillLevel = 0;
    std::string SoundSystemMessage;
    std::string SoundChatIn;
    std::string SoundChatSent;
    std::string SoundMyDrop;
    std::string SoundOpponentDrop;
    std::string SoundGameReady;
    std::string SoundGameOver;
    std::string SoundPlayError;

    // Other shared values.
    std::string AppVersion;
    std::int16_t SoundOn = 0;
    std::string InboxKey;
    std::string OutboxKey;
    float WaitDeadline = 0.0f;

    // The network library's global object and the session object of a LAN game, each held
    // until it is replaced or the program ends.
    ObjectRef<kvdplay::IkvDirectPlayGlobal> DPGlobal;
    ObjectRef<kvdplay::IkvDirectPlay> DPlay;
    std::int16_t ProviderAutoDone = 0;   // 1 once the saved provider was picked in this run

    // The dictionary in memory: Words[1..WordCount]; Words[0] is unused so the numbering
    // matches the file's record numbers.
    std::vector<std::string> Words = std::vector<std::string>(1);
    std::int16_t WordCount = 0;
    WordRecord WordRec;               // the one buffer every reader of "wordlist.dic" reads into
    PlayerRecord PlayerRec;           // the one buffer every reader of players.dat reads into
};

// The one program-wide state.
State& state();

// Back to the start values (tests; the services and controls are kept).
void resetState();

} // namespace engine
