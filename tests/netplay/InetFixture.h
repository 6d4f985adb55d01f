#pragma once
// Shared set-up for the Internet tests: a fresh program-wide state on the doubles, the main
// window's controls with lights that can be told apart, a scratch folder as the current folder
// (players.dat lives there), and a fixed server address and program token.
#include "engine/GameControls.h"
#include "engine/State.h"
#include "netplay/InetRequests.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace inet_test {

inline constexpr const char* kServer = "127.0.0.1:8642";
inline constexpr const char* kToken = "Tok1";

// The text after "?", "" when the address has none.
inline std::string queryOf(const std::string& url) {
    const auto mark = url.find('?');
    return mark == std::string::npos ? std::string() : url.substr(mark + 1);
}

// The three lights get pictures of their own, so the light shown can be told from the others.
inline void giveLightsPictures() {
    engine::PictureStore& pics = engine::Pics();
    static bool done = false;
    if (done) return;
    done = true;
    std::string bmp(26, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[18] = 8;
    bmp[22] = 8;
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("tessarine-inet-light-" + std::to_string(::getpid()) + ".bmp")).string();
    std::ofstream(file, std::ios::binary) << bmp;
    // Each load is a picture of its own, even from the same file.
    for (auto* light : {&pics.onlight, &pics.redlight, &pics.offlight})
        light->Picture = platform::ui::Picture::load(file);
    std::filesystem::remove(file);
}

class InetTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine::resetState();
        engine::state().services = doubles.services();
        engine::state().controls = &controls;
        controls.inettimer.Interval = 10000;
        giveLightsPictures();
        netplay::setServerAddress(kServer);
        netplay::setProgramToken(kToken);
        doubles.http.handler = [](const std::string&) { return testing_support::FakeHttp::okBody("TS:"); };
    }
    void TearDown() override {
        engine::resetState();
        engine::state().services = {};
        engine::state().controls = nullptr;
    }

    const std::string& lastUrl() const { return doubles.http.requests.back().url; }
    std::string lastQuery() const { return queryOf(lastUrl()); }
    void reply(std::string body) {
        doubles.http.handler = [body](const std::string&) { return testing_support::FakeHttp::okBody(body); };
    }
    void failTransfers(int number = 35761, std::string description = "Request timed out") {
        doubles.http.handler = [=](const std::string&) {
            return testing_support::FakeHttp::failure(number, description);
        };
    }
    bool lightIs(const platform::ui::Image& picture) const { return controls.light.Picture == picture.Picture; }
    const std::vector<std::string>& statusLines() const { return controls.StatusText.items(); }

    testing_support::TempDir folder{true};
    testing_support::Doubles doubles;
    engine::GameControls controls{doubles.http};
};

} // namespace inet_test
