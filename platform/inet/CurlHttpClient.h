#pragma once
// The real HTTP client on libcurl: one synchronous GET per call.
#include "platform/seams/Http.h"

namespace platform::inet {

class CurlHttpClient final : public platform::HttpClient {
public:
    // msPerSecond: how many milliseconds one second of the request time-out lasts (1000; tests
    // shorten it so a time-out needs no real wait).
    explicit CurlHttpClient(long msPerSecond = 1000);
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    // Follows no redirects; never reads proxy settings from the environment: access type 0 goes
    // straight to the server, access type 2 through options.proxy only. Errors carry the numbers
    // of platform/inet/Inet.h.
    platform::HttpResult get(const std::string& url, const platform::HttpOptions& options) override;

private:
    long m_msPerSecond;
};

} // namespace platform::inet
