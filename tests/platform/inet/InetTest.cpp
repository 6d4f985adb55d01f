#include "platform/inet/Inet.h"

#include "tests/support/TestDoubles.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using platform::inet::Inet;
using testing_support::FakeHttp;

namespace {

const std::string Url = "http://127.0.0.1/Tessarine/getdata.mv?s12";

platform::HttpResult withStatus(long status, std::string body, bool ok) {
    platform::HttpResult r;
    r.ok = ok;
    r.status = status;
    r.body = std::move(body);
    return r;
}

} // namespace

TEST(InetTimeout, StartsAtSixtySecondsAndTheValueSetBeforeARequestIsTheOneItRunsWith) {
    FakeHttp http;
    Inet inet(http);
    EXPECT_EQ(inet.RequestTimeout(), 60);
    inet.OpenURL(Url);
    inet.setRequestTimeout(20);
    inet.OpenURL(Url);
    inet.setRequestTimeout(60);
    inet.OpenURL(Url);
    ASSERT_EQ(http.requests.size(), 3u);
    EXPECT_EQ(http.requests[0].options.timeoutSeconds, 60);
    EXPECT_EQ(http.requests[1].options.timeoutSeconds, 20);
    EXPECT_EQ(http.requests[2].options.timeoutSeconds, 60);
}

TEST(InetAccess, ANamedProxyIsPassedOnlyWithProxyAccessAndWithoutAPortGetsPort80) {
    struct Row {
        int accessBefore;   // -1: left as it is
        const char* proxy;
        int accessAfter;
        int access;
        const char* sent;
    };
    for (const Row& row : {Row{-1, "proxy.example:3128", -1, 0, ""}, Row{2, "proxy.example", -1, 2, "proxy.example:80"},
                           Row{2, "10.1.2.3:8080", -1, 2, "10.1.2.3:8080"}, Row{2, "proxy.example", 0, 0, ""}}) {
        SCOPED_TRACE(std::string(row.proxy) + " after access " + std::to_string(row.accessAfter));
        FakeHttp http;
        Inet inet(http);
        if (row.accessBefore >= 0) inet.setAccessType(row.accessBefore);
        inet.setProxy(row.proxy);
        if (row.accessAfter >= 0) inet.setAccessType(row.accessAfter);
        inet.OpenURL(Url);
        EXPECT_EQ(http.requests[0].options.accessType, row.access);
        EXPECT_EQ(http.requests[0].options.proxy, row.sent);
    }
}

TEST(InetFailure, ErrorStatusGivesEmptyReplyAndAStatusError) {
    FakeHttp http;
    http.replies[Url] = withStatus(404, "<html>Not Found</html>", false);
    Inet inet(http);
    EXPECT_EQ(inet.OpenURL(Url), "");
    EXPECT_EQ(inet.errorNumber(), platform::inet::ErrorHttpStatus);
    EXPECT_EQ(inet.errorText(), " 35780: HTTP status 404");
}

TEST(InetFailure, ErrorStatusIsAFailureEvenWhenTheClientCalledItOk) {
    FakeHttp http;
    http.replies[Url] = withStatus(500, "Internal error page", true);
    Inet inet(http);
    EXPECT_TRUE(inet.OpenURLBytes(Url).empty());
    EXPECT_EQ(inet.errorText(), " 35780: HTTP status 500");
}

TEST(InetFailure, TransferErrorKeepsTheClientsNumberAndDescription) {
    FakeHttp http;   // no reply scripted: the fake times out
    Inet inet(http);
    EXPECT_EQ(inet.OpenURL(Url), "");
    EXPECT_EQ(inet.errorNumber(), 35761);
    EXPECT_EQ(inet.errorDescription(), "Timeout");
    EXPECT_EQ(inet.errorText(), " 35761: Timeout");
}

TEST(InetFailure, NegativeErrorNumberIsShownWithoutLeadingBlank) {
    FakeHttp http;
    http.replies[Url] = FakeHttp::failure(-7, "Refused");
    Inet inet(http);
    inet.OpenURL(Url);
    EXPECT_EQ(inet.errorText(), "-7: Refused");
}

TEST(InetFailure, SuccessClearsThePreviousError) {
    FakeHttp http;
    Inet inet(http);
    inet.OpenURL(Url);
    http.replies[Url] = FakeHttp::okBody("FILE*NOT*FOUND");
    EXPECT_EQ(inet.OpenURL(Url), "FILE*NOT*FOUND");
    EXPECT_EQ(inet.errorNumber(), 0);
    EXPECT_EQ(inet.errorText(), "");
}

TEST(InetBusy, HeldBusyRefusesARequestWithoutReachingTheServer) {
    FakeHttp http;
    http.replies[Url] = FakeHttp::okBody("data");
    Inet inet(http);
    inet.holdBusy(true);
    EXPECT_TRUE(inet.StillExecuting());
    EXPECT_EQ(inet.OpenURL(Url), "");
    EXPECT_TRUE(http.requests.empty());
    EXPECT_EQ(inet.errorText(), " 35764: Still executing last request");
    inet.holdBusy(false);
    EXPECT_EQ(inet.OpenURL(Url), "data");
}

TEST(InetBusy, BusyExactlyWhileARequestRuns) {
    FakeHttp http;
    Inet inet(http);
    bool busyInside = false;
    http.handler = [&](const std::string&) {
        busyInside = inet.StillExecuting();
        return FakeHttp::okBody("x");
    };
    EXPECT_FALSE(inet.StillExecuting());
    inet.OpenURL(Url);
    EXPECT_TRUE(busyInside);
    EXPECT_FALSE(inet.StillExecuting());
}

TEST(InetBusy, ARequestMadeWhileAnotherRunsIsRefused) {
    FakeHttp http;
    Inet inet(http);
    std::string nested = "unset";
    http.handler = [&](const std::string& url) {
        if (url == Url) nested = inet.OpenURL("http://127.0.0.1/other");
        return FakeHttp::okBody("outer");
    };
    EXPECT_EQ(inet.OpenURL(Url), "outer");
    EXPECT_EQ(nested, "");
    EXPECT_EQ(http.requests.size(), 1u);
}

TEST(InetReply, BytesComeBackUnchanged) {
    FakeHttp http;
    const std::string gif("GIF89a\x00\xff\x80\x01", 10);
    http.replies[Url] = FakeHttp::okBody(gif);
    Inet inet(http);
    const auto bytes = inet.OpenURLBytes(Url);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), gif);
}

TEST(InetReply, TextIsDecodedAsUtf8) {
    FakeHttp http;
    http.replies[Url] = FakeHttp::okBody("xxxJos\xC3\xA9jjjhh*M\xFCnchen*qq");
    Inet inet(http);
    EXPECT_EQ(inet.OpenURL(Url), "xxxJos\xC3\xA9jjjhh*M\xEF\xBF\xBDnchen*qq");
}

TEST(InetReply, TruncatedSequenceAtTheEndBecomesOneReplacement) {
    EXPECT_EQ(platform::inet::decodeUtf8("ok\xE2\x82"), "ok\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(platform::inet::decodeUtf8("\xE2\x82\xAC"), "\xE2\x82\xAC");
}

namespace {
// Counts its calls; the request it watches may only end after the third one.
class CountingPainter final : public platform::WaitPainter {
public:
    void paintPending() override {
        std::lock_guard lock(mutex);
        if (calls++ == 0) requestStartedFirst = requestStarted;
        changed.notify_all();
    }
    std::mutex mutex;
    std::condition_variable changed;
    int calls = 0;
    bool requestStarted = false;
    bool requestStartedFirst = true;
};
} // namespace

TEST(InetWaiting, WhileARequestRunsTheWindowsArePaintedAndTheCallerStillGetsTheReply) {
    CountingPainter painter;
    FakeHttp http;
    http.handler = [&](const std::string&) {
        std::unique_lock lock(painter.mutex);
        painter.requestStarted = true;
        painter.changed.wait(lock, [&] { return painter.calls >= 3; }); // a server slow to answer
        return FakeHttp::okBody("TS:FILE*NOT*FOUND");
    };
    Inet inet(http);
    inet.setWaitPainter(&painter);
    EXPECT_EQ(inet.OpenURL(Url), "TS:FILE*NOT*FOUND");
    EXPECT_FALSE(painter.requestStartedFirst); // the window was painted before the request went out
    EXPECT_GE(painter.calls, 3);
    EXPECT_FALSE(inet.StillExecuting());
}
