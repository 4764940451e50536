#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "link/pipe_stream.h"

// The application serves the first pipe and the plug-in is its client; the plug-in serves the second.
inline const char* const kApplicationPipeName = "\\\\.\\pipe\\SKApp";
inline const char* const kPluginPipeName = "\\\\.\\pipe\\SKPlugin";

// How long a client waits for the application's pipe while it serves another client; the
// simulated application creates its pipe with this wait.
constexpr std::chrono::milliseconds kApplicationClientWait{2000};

// Opens a client connection to a pipe: "WaitNamedPipe" (with the server's default wait), then
// "CreateFile (pipe)". The connection closes with the stream.
std::unique_ptr<PipeStream> openClientStream(const std::string& pipeName);
// The same, waiting for a busy server only until `deadline` instead of the server's default.
std::unique_ptr<PipeStream> openClientStream(const std::string& pipeName, PipeClock::time_point deadline);

// The client end: each transaction opens, uses and closes its own connection.
class ClientPipe {
public:
    // How long a transaction may take from the request's first byte to the reply's last: requests
    // run on the host's main thread, which a silent server must not hang.
    static constexpr std::chrono::milliseconds kDefaultReplyTimeout{10000};

    explicit ClientPipe(std::string name);

    // A server of this name waits for a client. Never throws.
    bool isAvailable() const noexcept;
    // Sends `request` as one frame and reads the one reply frame into `reply`.
    void transact(const std::string& request, std::string& reply) const;

    void setReplyTimeout(std::chrono::milliseconds timeout) { replyTimeout_ = timeout; }
    // Every wait of this client ends by `deadline`: the wait for a busy server (in place of the
    // server's default), the request and the reply. A question that must not hold up the host
    // sets one; none by default.
    void setDeadline(PipeClock::time_point deadline) { deadline_ = deadline; }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    std::chrono::milliseconds replyTimeout_ = kDefaultReplyTimeout;
    PipeClock::time_point deadline_ = PipeClock::time_point::max();
};

// The server end: one instance, one client at a time.
class ServerPipe {
public:
    // How long one client may take to deliver its request, and to take its reply, before it is
    // dropped: a client that stalls must not wedge the server.
    static constexpr std::chrono::milliseconds kDefaultRequestTimeout{5000};

    // How long a client waits for the instance while it serves another (the plug-in's own pipe).
    static constexpr std::chrono::milliseconds kDefaultClientWait{50};

    // A client that moves no byte of its request or reply for this long is dropped, so that a
    // silent one holds the one instance only briefly.
    static constexpr std::chrono::milliseconds kProgressTimeout{1000};
    // Each byte of a request that arrives extends its deadline by this much (at least 1 MB/s
    // keeps a large body coming).
    static constexpr std::chrono::nanoseconds kAllowancePerByte{1000};

    // Creates the pipe instance; raises "CreateNamedPipe" when that fails or the name is served.
    // Clients of a busy instance wait up to `clientWait` for it (where the system queues them
    // instead, they wait for their reply).
    explicit ServerPipe(const std::string& name, std::chrono::milliseconds clientWait = kDefaultClientWait);
    ~ServerPipe();
    ServerPipe(const ServerPipe&) = delete;
    ServerPipe& operator=(const ServerPipe&) = delete;

    // Waits for a client and reads its request. Returns with an empty request when a client sent
    // the empty frame or the pipe was stopped. A client that closes before sending anything is
    // a probe: it is dropped and the next one awaited.
    void receive(std::string& request);
    // Writes the reply, waits until the client has taken it, and disconnects the client.
    void reply(const std::string& answer);
    // Connects to this very pipe and sends the empty frame, so that a blocked receive returns.
    void wake() const;

    // From any thread: ends the wait in progress and every later one at once; receive then
    // returns an empty request and reply raises.
    void stop() noexcept;
    bool isStopped() const noexcept;
    // Waits up to `limit` for a stop; returns whether there was one.
    bool awaitStop(std::chrono::milliseconds limit) const noexcept;
    // Drops the current client, if any, so that the instance is ready for the next receive.
    void disconnect() noexcept;
    // Gives up the name for good, once serving has ended: later clients fail at once instead of
    // waiting for a server that never answers. Later receives return an empty request.
    void close() noexcept;

    // How many clients have connected so far (probes included): a failure after the count moved
    // concerned a client, not the pipe.
    std::uint64_t clientsConnected() const noexcept;

    void setRequestTimeout(std::chrono::milliseconds timeout);
    const std::string& name() const { return name_; }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string name_;
};

namespace detail {

// The name the system knows a pipe by: on POSIX the socket's path in the pipe directory; on
// Windows the name itself, or, while SKELDA_PIPE_DIR is set (tests keep their pipes apart so),
// the name inside a scope made from that directory.
std::string systemPipeName(const std::string& pipeName);

// How long a client of `pipeName` waits while the server is busy: on Windows the server tells
// the system; elsewhere the client knows it by name (the plug-in's pipe, or the application's).
std::chrono::milliseconds clientWait(const std::string& pipeName);

// Puts a server's limits on the stream of one client: the request deadline from now, extended as
// bytes arrive, and the progress time-out.
void limitServerStream(PipeStream& stream, std::chrono::milliseconds requestTimeout);

}  // namespace detail
