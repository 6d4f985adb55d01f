#pragma once
#include <string>

namespace platform {

struct HttpOptions {
    int timeoutSeconds = 60;
    int accessType = 0;       // 0 direct, 2 named proxy
    std::string proxy;        // "host[:port]" when accessType is 2
};

struct HttpResult {
    bool ok = false;          // a 2xx reply arrived whole
    long status = 0;          // the HTTP status, 0 when none arrived
    std::string body;         // the reply's bytes; empty on failure
    int errorNumber = 0;      // non-zero on failure
    std::string errorDescription;
};

// One synchronous GET.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpResult get(const std::string& url, const HttpOptions& options) = 0;
};

} // namespace platform
