#include "tests/support/TestDoubles.h"

#include <gtest/gtest.h>

namespace testing_support {

int ScriptedDialogs::msgBox(const std::string& prompt, int style, const std::string& title) {
    shown.push_back({prompt, style, title, false, {}});
    if (!buttons.empty()) {
        int b = buttons.front();
        buttons.pop_front();
        return b;
    }
    return (style & 7) == platform::vbYesNo ? platform::vbYes : platform::vbOK;
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string& title,
                                      const std::string&) {
    shown.push_back({prompt, 0, title, true, {}});
    if (inputs.empty()) return {};
    std::string s = inputs.front();
    inputs.pop_front();
    return s;
}

std::optional<std::string> ScriptedDialogs::ask(const std::string& title, const std::string& prompt,
                                                const std::string& text) {
    shown.push_back({prompt, 0, title, true, text});
    if (lines.empty()) {
        ADD_FAILURE() << "the dialog \"" << title << "\" was shown with no answer scripted";
        return std::nullopt;
    }
    std::optional<std::string> answer = lines.front();
    lines.pop_front();
    return answer;
}

double FakeClock::secondsSinceMidnight() {
    ++reads;
    double now = seconds;
    seconds += stepPerRead;
    return now;
}

double ScriptedRandom::next() {
    if (draws.empty()) return fallback;
    double d = draws.front();
    draws.pop_front();
    return d;
}

platform::HttpResult FakeHttp::get(const std::string& url, const platform::HttpOptions& options) {
    requests.push_back({url, options});
    if (auto it = replies.find(url); it != replies.end()) return it->second;
    if (handler) return handler(url);
    return failure(35761, "Timeout");
}

platform::HttpResult FakeHttp::okBody(std::string body) {
    platform::HttpResult r;
    r.ok = true;
    r.status = 200;
    r.body = std::move(body);
    return r;
}

platform::HttpResult FakeHttp::failure(int number, std::string description, long status) {
    platform::HttpResult r;
    r.status = status;
    r.errorNumber = number;
    r.errorDescription = std::move(description);
    return r;
}

} // namespace testing_support
