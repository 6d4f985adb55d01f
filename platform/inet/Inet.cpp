#include "platform/inet/Inet.h"

#include <algorithm>
#include <chrono>
#include <future>

namespace platform::inet {
namespace {

bool isSuccessStatus(long status) { return status >= 200 && status <= 299; }

// "host[:port]" with the port made explicit; a bracketed IPv6 host keeps its brackets.
std::string proxyWithPort(const std::string& proxy) {
    if (proxy.empty()) return proxy;
    const auto closing = proxy.rfind(']');
    const auto colon = proxy.rfind(':');
    const bool hasPort = colon != std::string::npos &&
                         (closing == std::string::npos ? proxy.find(':') == colon : colon > closing);
    if (hasPort && colon + 1 < proxy.size()) return proxy;
    if (hasPort) return proxy + "80";   // "host:" names no port
    return proxy + ":80";
}

// Length of the valid UTF-8 sequence at s[i], or 0 when the byte there starts none.
std::size_t sequenceLength(const std::string& s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    if (b < 0x80) return 1;
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) n = 2;
    else if (b == 0xE0) { n = 3; lo = 0xA0; }
    else if (b >= 0xE1 && b <= 0xEC) n = 3;
    else if (b == 0xED) { n = 3; hi = 0x9F; }
    else if (b >= 0xEE && b <= 0xEF) n = 3;
    else if (b == 0xF0) { n = 4; lo = 0x90; }
    else if (b >= 0xF1 && b <= 0xF3) n = 4;
    else if (b == 0xF4) { n = 4; hi = 0x8F; }
    else return 0;
    if (i + n > s.size()) return 0;
    if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return n;
}

} // namespace

std::string decodeUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = sequenceLength(bytes, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(bytes, i, n);
            i += n;
        }
    }
    return out;
}

Inet::Inet(platform::HttpClient& client) : m_client(client) {}

void Inet::setRequestTimeout(int seconds) { m_requestTimeout = std::max(1, seconds); }

platform::HttpOptions Inet::options() const {
    platform::HttpOptions o;
    o.timeoutSeconds = m_requestTimeout;
    o.accessType = m_accessType == AccessNamedProxy ? AccessNamedProxy : AccessDirect;
    if (o.accessType == AccessNamedProxy) o.proxy = proxyWithPort(m_proxy);
    return o;
}

std::string Inet::errorText() const {
    if (m_errorNumber == 0 && m_errorDescription.empty()) return {};
    std::string text = m_errorNumber >= 0 ? " " : "";
    return text + std::to_string(m_errorNumber) + ": " + m_errorDescription;
}

platform::HttpResult Inet::get(const std::string& url) {
    if (!m_painter) return m_client.get(url, options());
    // The light and any busy animation show before the first byte goes out.
    m_painter->paintPending();
    auto reply = std::async(std::launch::async, [this, url, opts = options()] { return m_client.get(url, opts); });
    while (reply.wait_for(std::chrono::milliseconds(40)) != std::future_status::ready) m_painter->paintPending();
    return reply.get();
}

bool Inet::fetch(const std::string& url, std::string& body) {
    body.clear();
    if (StillExecuting()) {
        // The running request keeps going; this one is refused, as the control refuses a
        // second request while the first is under way.
        m_errorNumber = ErrorStillExecuting;
        m_errorDescription = "Still executing last request";
        return false;
    }
    m_running = true;
    platform::HttpResult result;
    try {
        result = get(url);
    } catch (...) {
        m_running = false;
        m_errorNumber = ErrorTransfer;
        m_errorDescription = "The transfer failed";
        return false;
    }
    m_running = false;

    const bool statusOk = result.status == 0 ? result.ok : isSuccessStatus(result.status);
    if (result.ok && statusOk) {
        m_errorNumber = NoError;
        m_errorDescription.clear();
        body = std::move(result.body);
        return true;
    }
    // A failure page from the server is no reply: the callers only ever see an empty text.
    if (result.errorNumber != 0) {
        m_errorNumber = result.errorNumber;
        m_errorDescription = result.errorDescription;
    } else if (result.status != 0 && !isSuccessStatus(result.status)) {
        m_errorNumber = ErrorHttpStatus;
        m_errorDescription = "HTTP status " + std::to_string(result.status);
    } else {
        m_errorNumber = ErrorTransfer;
        m_errorDescription = result.errorDescription;
    }
    if (m_errorDescription.empty()) m_errorDescription = "The transfer failed";
    return false;
}

std::string Inet::OpenURL(const std::string& url) {
    std::string body;
    if (!fetch(url, body)) return {};
    return decodeUtf8(body);
}

std::vector<unsigned char> Inet::OpenURLBytes(const std::string& url) {
    std::string body;
    if (!fetch(url, body)) return {};
    return {body.begin(), body.end()};
}

} // namespace platform::inet
