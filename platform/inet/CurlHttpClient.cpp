#include "platform/inet/CurlHttpClient.h"

#include "platform/inet/Inet.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace platform::inet {
namespace {

// A reply larger than this is no game message and no photo: the transfer is abandoned.
constexpr std::size_t MaxReplyBytes = 16u * 1024u * 1024u;

struct Sink {
    std::string body;
    bool tooLarge = false;
};

size_t collect(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const size_t n = size * count;
    if (sink->body.size() + n > MaxReplyBytes) {
        sink->tooLarge = true;
        return 0;   // makes curl stop with a write error
    }
    sink->body.append(data, n);
    return n;
}

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

platform::HttpResult failure(int number, std::string description, long status = 0) {
    platform::HttpResult r;
    r.status = status;
    r.errorNumber = number;
    r.errorDescription = std::move(description);
    return r;
}

platform::HttpResult fromCurlError(CURLcode code, const char* detail) {
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        return failure(ErrorTimeout, "Request timed out");
    case CURLE_COULDNT_CONNECT:
        return failure(ErrorCannotConnect, "Cannot connect to the server");
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return failure(ErrorNameNotResolved, "Host name could not be resolved");
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return failure(ErrorBadUrl, "The URL is malformed");
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
        return failure(ErrorConnectionLost, "The connection was lost");
    default:
        return failure(ErrorTransfer, detail && *detail ? detail : curl_easy_strerror(code));
    }
}

} // namespace

CurlHttpClient::CurlHttpClient(long msPerSecond) : m_msPerSecond(msPerSecond > 0 ? msPerSecond : 1000) {
    initialiseOnce();
}

CurlHttpClient::~CurlHttpClient() = default;

platform::HttpResult CurlHttpClient::get(const std::string& url, const platform::HttpOptions& options) {
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) return failure(ErrorTransfer, "The transfer could not start");
    CURL* h = curl.get();
    Sink sink;
    char errorBuffer[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    const long timeoutMs = static_cast<long>(options.timeoutSeconds > 0 ? options.timeoutSeconds : 1) * m_msPerSecond;
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);

    // The proxy is the profile's choice alone. An empty proxy tells curl to go direct whatever
    // the environment's proxy variables say; the empty no-proxy list keeps the environment's
    // exceptions out of a named proxy too.
    if (options.accessType == AccessNamedProxy && !options.proxy.empty()) {
        const std::string proxy = "http://" + options.proxy;
        curl_easy_setopt(h, CURLOPT_PROXY, proxy.c_str());
        curl_easy_setopt(h, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
    } else {
        curl_easy_setopt(h, CURLOPT_PROXY, "");
    }
    curl_easy_setopt(h, CURLOPT_NOPROXY, "");

    const CURLcode code = curl_easy_perform(h);
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    if (code != CURLE_OK) {
        if (sink.tooLarge) return failure(ErrorTransfer, "The reply is too large");
        return fromCurlError(code, errorBuffer);
    }
    if (status < 200 || status > 299)
        return failure(ErrorHttpStatus, "HTTP status " + std::to_string(status), status);

    platform::HttpResult r;
    r.ok = true;
    r.status = status;
    r.body = std::move(sink.body);
    return r;
}

} // namespace platform::inet
