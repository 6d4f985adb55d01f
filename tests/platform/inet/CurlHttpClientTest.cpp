#include "platform/inet/CurlHttpClient.h"
#include "platform/inet/Inet.h"

#include "tests/platform/inet/LoopbackServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>

using platform::inet::CurlHttpClient;
using platform::inet::Inet;
using testing_support::LoopbackServer;

namespace {

// One second of request time-out lasts 40 ms here, so a time-out needs no real wait.
constexpr long FastSecond = 40;

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
public:
    void set(const std::string& name, const std::string& value) {
        if (!m_saved.count(name)) {
            const char* old = std::getenv(name.c_str());
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        setenv(name.c_str(), value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_saved) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

} // namespace

TEST(CurlTransfer, OkReplyReturnsTheBody) {
    LoopbackServer server({200, "***--ENTRY--***tttt42ssss"});
    CurlHttpClient client(FastSecond);
    Inet inet(client);
    EXPECT_EQ(inet.OpenURL(server.url("/Tessarine/joinwait.mv?a+b")), "***--ENTRY--***tttt42ssss");
    EXPECT_EQ(inet.errorNumber(), 0);
    ASSERT_EQ(server.requestLines().size(), 1u);
    EXPECT_EQ(server.requestLines()[0], "GET /Tessarine/joinwait.mv?a+b HTTP/1.1");
}

TEST(CurlTransfer, NotFoundIsAFailureWithAnEmptyReply) {
    LoopbackServer server({404, "<html>missing</html>"});
    CurlHttpClient client(FastSecond);
    Inet inet(client);
    EXPECT_EQ(inet.OpenURL(server.url("/pic.gif")), "");
    EXPECT_EQ(inet.errorText(), " 35780: HTTP status 404");
}

TEST(CurlTransfer, SilentServerTimesOut) {
    LoopbackServer server({200, "", true});
    CurlHttpClient client(FastSecond);
    Inet inet(client);
    inet.setRequestTimeout(2);
    EXPECT_EQ(inet.OpenURL(server.url("/Tessarine/getdata.mv?s1")), "");
    EXPECT_EQ(inet.errorNumber(), platform::inet::ErrorTimeout);
    EXPECT_EQ(inet.errorText(), " 35761: Request timed out");
}

TEST(CurlTransfer, ClosedPortCannotConnect) {
    unsigned short port = 0;
    {
        LoopbackServer gone({200, ""});
        port = gone.port();
    }
    CurlHttpClient client(FastSecond);
    Inet inet(client);
    EXPECT_EQ(inet.OpenURL("http://127.0.0.1:" + std::to_string(port) + "/x"), "");
    EXPECT_EQ(inet.errorNumber(), platform::inet::ErrorCannotConnect);
}

TEST(CurlTransfer, AddressOtherThanHttpIsRefused) {
    CurlHttpClient client(FastSecond);
    Inet inet(client);
    EXPECT_TRUE(inet.OpenURLBytes("file:///etc/passwd").empty());
    EXPECT_EQ(inet.errorNumber(), platform::inet::ErrorBadUrl);
}

TEST(CurlProxy, DirectAccessIgnoresProxyVariables) {
    LoopbackServer target({200, "direct"});
    LoopbackServer proxy({200, "via proxy"});
    ScopedEnvironment env;
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        env.set(name, "http://" + proxy.hostPort());
    env.set("no_proxy", "");
    env.set("NO_PROXY", "");
    CurlHttpClient client(FastSecond);
    Inet inet(client);
    EXPECT_EQ(inet.OpenURL(target.url("/Tessarine/readwait.mv")), "direct");
    EXPECT_TRUE(proxy.requestLines().empty());
}

TEST(CurlProxy, NamedProxyCarriesTheRequest) {
    LoopbackServer target({200, "direct"});
    LoopbackServer proxy({200, "via proxy"});
    ScopedEnvironment env;
    env.set("no_proxy", "127.0.0.1,localhost");
    env.set("NO_PROXY", "127.0.0.1,localhost");
    CurlHttpClient client(FastSecond);
    Inet inet(client);
    inet.setAccessType(2);
    inet.setProxy(proxy.hostPort());
    const std::string url = target.url("/Tessarine/getdata.mv?c7");
    EXPECT_EQ(inet.OpenURL(url), "via proxy");
    ASSERT_EQ(proxy.requestLines().size(), 1u);
    EXPECT_EQ(proxy.requestLines()[0], "GET " + url + " HTTP/1.1");
    EXPECT_TRUE(target.requestLines().empty());
}
