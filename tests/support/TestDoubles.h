#pragma once
// Doubles for the outside world: scripted answers in, recorded calls out. No double ever sleeps.
#include "platform/seams/Services.h"
#include "platform/ui/LinePrompt.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Answers message and input boxes and the forms layer's line prompt from a script and records
// every box shown. A line prompt with nothing scripted fails the test and is cancelled: its real
// dialog would wait for a player who is not there.
class ScriptedDialogs final : public platform::Dialogs, public platform::ui::LinePrompt {
public:
    struct Shown {
        std::string prompt;
        int style = 0;
        std::string title;
        bool input = false;
        std::string text;               // what a line prompt's edit box held
    };
    std::vector<Shown> shown;
    std::deque<int> buttons;            // next answers to msgBox; empty: vbOK / vbYes as fits
    std::deque<std::string> inputs;     // next answers to inputBox; empty: ""
    std::deque<std::optional<std::string>> lines;   // next answers to the line prompt; nothing: Cancel

    int msgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::optional<std::string> ask(const std::string& title, const std::string& prompt,
                                   const std::string& text) override;
    const Shown& last() const { return shown.back(); }
};

// A clock that moves only when told, plus a step on every read so busy waits end.
class FakeClock final : public platform::Clock {
public:
    double seconds = 12 * 3600.0;  // noon, far from midnight
    double stepPerRead = 0.25;     // every read of secondsSinceMidnight advances this much
    std::int64_t ms = 0;
    int reads = 0;
    int ticks = 0;

    double secondsSinceMidnight() override;
    std::int64_t monotonicMs() override { return ms; }
    void busyWaitTick() override { ++ticks; }
};

// Draws come from a script; when it runs out, from a fixed simple sequence.
class ScriptedRandom final : public platform::Random {
public:
    std::deque<double> draws;
    int reseeds = 0;
    double fallback = 0.0;

    double next() override;
    void reseedFromClock() override { ++reseeds; }
};

class RecordingSound final : public platform::SoundPlayer {
public:
    std::vector<std::string> played;
    void play(const std::string& file) override { played.push_back(file); }
};

// Replies by exact URL or by a handler; records every request.
class FakeHttp final : public platform::HttpClient {
public:
    struct Request {
        std::string url;
        platform::HttpOptions options;
    };
    std::vector<Request> requests;
    std::map<std::string, platform::HttpResult> replies;
    std::function<platform::HttpResult(const std::string&)> handler;

    platform::HttpResult get(const std::string& url, const platform::HttpOptions& options) override;
    static platform::HttpResult okBody(std::string body);
    static platform::HttpResult failure(int number, std::string description, long status = 0);
};

class RecordingExit final : public platform::ProgramExit {
public:
    int calls = 0;
    void exitProgram() override { ++calls; }
};

class RecordingShell final : public platform::ShellOpen {
public:
    std::vector<std::string> opened;
    std::vector<std::string> started;
    bool result = true;
    bool open(const std::string& target) override {
        opened.push_back(target);
        return result;
    }
    bool startProgram(const std::string& path) override {
        started.push_back(path);
        return result;
    }
};

// Every double together, wired into one Services.
struct Doubles {
    ScriptedDialogs dialogs;
    FakeClock clock;
    ScriptedRandom random;
    RecordingSound sound;
    FakeHttp http;
    RecordingExit exit;
    RecordingShell shell;

    platform::Services services() {
        return {&dialogs, &clock, &random, &sound, &http, &exit, &shell};
    }
};

} // namespace testing_support
