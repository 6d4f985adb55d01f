#pragma once
// The program's Internet transfer control: one synchronous GET at a time, returning the reply as
// text or bytes, with a request time-out, a busy flag and the access settings the player's
// profile chooses (direct, or through a named proxy). No Qt here: the game procedures hold it.
#include "platform/seams/Http.h"
#include "platform/seams/WaitPainter.h"

#include <string>
#include <vector>

namespace platform::inet {

// Error numbers a failed transfer leaves behind; callers show them as " <number>: <description>".
enum InetError : int {
    NoError = 0,
    ErrorBadUrl = 35752,            // "The URL is malformed"
    ErrorCannotConnect = 35754,     // "Cannot connect to the server"
    ErrorNameNotResolved = 35757,   // "Host name could not be resolved"
    ErrorConnectionLost = 35759,    // "The connection was lost"
    ErrorTimeout = 35761,           // "Request timed out"
    ErrorStillExecuting = 35764,    // "Still executing last request"
    ErrorHttpStatus = 35780,        // "HTTP status <code>": the server answered other than 2xx
    ErrorTransfer = 35799,          // any other failure of the transfer
};

// Access types as the profile sets them.
inline constexpr int AccessDirect = 0;      // straight to the server; proxy variables of the
                                            // environment are never read
inline constexpr int AccessNamedProxy = 2;  // through Proxy ("host[:port]", port 80 when none)

class Inet {
public:
    // The client must outlive this object.
    explicit Inet(platform::HttpClient& client);

    // Request time-out in seconds; 60 at start. Values below 1 count as 1.
    int RequestTimeout() const { return m_requestTimeout; }
    void setRequestTimeout(int seconds);

    // 0 direct, 2 named proxy; any other value is kept but acts as direct.
    int AccessType() const { return m_accessType; }
    void setAccessType(int type) { m_accessType = type; }

    // "host[:port]" of the named proxy; port 80 when none is given.
    const std::string& Proxy() const { return m_proxy; }
    void setProxy(const std::string& proxy) { m_proxy = proxy; }

    // With a painter, a request runs on a thread of its own while this thread keeps the windows
    // painted; the call still returns only with the reply. Null: the request blocks.
    void setWaitPainter(platform::WaitPainter* painter) { m_painter = painter; }

    // True while a request runs, or while held busy (see holdBusy).
    bool StillExecuting() const { return m_running || m_heldBusy; }
    // Keeps the control busy as if another request were running; a request made meanwhile fails
    // at once with ErrorStillExecuting and reaches no server.
    void holdBusy(bool busy) { m_heldBusy = busy; }

    // GET the address and return the reply decoded as UTF-8 (bytes that are not UTF-8 become
    // U+FFFD). A failed transfer, including a reply whose status is not 2xx, returns "" and sets
    // the error below; a successful one clears it.
    std::string OpenURL(const std::string& url);
    // The same, returning the reply's bytes unchanged.
    std::vector<unsigned char> OpenURLBytes(const std::string& url);

    // The last request's error; 0 and "" after a success.
    int errorNumber() const { return m_errorNumber; }
    const std::string& errorDescription() const { return m_errorDescription; }
    // The error as the game shows it: the number (after one blank when it is not negative),
    // ": ", the description. "" when the last request succeeded.
    std::string errorText() const;

    // The options the next request will be made with (time-out, access type, proxy with port).
    platform::HttpOptions options() const;

private:
    // One request; false (reply empty, error set) on any failure.
    bool fetch(const std::string& url, std::string& body);

    platform::HttpResult get(const std::string& url);

    platform::HttpClient& m_client;
    platform::WaitPainter* m_painter = nullptr;
    int m_requestTimeout = 60;
    int m_accessType = AccessDirect;
    std::string m_proxy;
    bool m_running = false;
    bool m_heldBusy = false;
    int m_errorNumber = 0;
    std::string m_errorDescription;
};

// Reply bytes as UTF-8 text: valid sequences kept, every other byte replaced by U+FFFD.
std::string decodeUtf8(const std::string& bytes);

} // namespace platform::inet
