// Pipes on POSIX: Unix-domain stream sockets in a directory private to the user.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

#include "link/pipe.h"
#include "link/pipe_actions.h"
#include "support/system_error.h"

namespace {

const char* const kPipePrefix = "\\\\.\\pipe\\";

// Owns one file descriptor.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept {
        reset(std::exchange(other.fd_, -1));
        return *this;
    }
    ~Fd() { reset(); }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_ = -1;
};

std::string pipeDirectory() {
    if (const char* dir = ::getenv("SKELDA_PIPE_DIR"); dir && *dir) return dir;
    if (const char* runtime = ::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/skelda";
    return "/tmp/skelda-" + std::to_string(::geteuid());
}

// Another user who could write into the directory could stand in for either end.
void requirePrivateDirectory(const std::string& dir, bool create, const char* action) {
    if (create) {
        if (::mkdir(dir.c_str(), 0700) == 0) {
            if (::chmod(dir.c_str(), 0700) != 0) throwSystemError(action);
        } else if (errno != EEXIST) {
            throwSystemError(action);
        }
    }
    struct stat info;
    if (::lstat(dir.c_str(), &info) != 0) throwSystemError(action);
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0)
        throwSystemErrorText("the pipe directory " + dir + " is not private to this user", action);
}

sockaddr_un socketAddress(const std::string& pipeName, bool create, const char* action) {
    std::string stem = pipeName;
    if (stem.compare(0, std::strlen(kPipePrefix), kPipePrefix) == 0) stem.erase(0, std::strlen(kPipePrefix));
    if (stem.empty() || stem.find('/') != std::string::npos || stem == "." || stem == "..") {
        errno = EINVAL;
        throwSystemError(action);
    }
    const std::string dir = pipeDirectory();
    requirePrivateDirectory(dir, create, action);
    const std::string path = dir + "/" + stem;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        throwSystemError(action);
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

Fd newSocket(const char* action) {
    Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd) throwSystemError(action);
    return fd;
}

bool peerIsThisUser(int fd) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           credentials.uid == ::geteuid();
}

// Connects, waiting up to `wait` while the server's queue is full, as a client of a busy
// Windows pipe instance waits for it; an absent server fails at once.
Fd connectTo(const sockaddr_un& address, std::chrono::milliseconds wait) {
    // Blocking only while connecting: the system then waits for room in the queue, up to the
    // send time-out.
    Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd) throwSystemError(detail::kCreateFile);
    const auto deadline = PipeClock::now() + wait;
    for (;;) {
        const auto left = std::max(std::chrono::ceil<std::chrono::microseconds>(deadline - PipeClock::now()),
                                   std::chrono::microseconds(1));
        timeval limit{};
        limit.tv_sec = static_cast<time_t>(left.count() / 1000000);
        limit.tv_usec = static_cast<suseconds_t>(left.count() % 1000000);
        if (::setsockopt(fd.get(), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) != 0)
            throwSystemError(detail::kCreateFile);
        if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) break;
        if (errno == EINTR && PipeClock::now() < deadline) continue;
        if (errno == EINPROGRESS || errno == EINTR) errno = EAGAIN;
        throwSystemError(detail::kWaitNamedPipe);
    }
    const timeval none{};
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (::setsockopt(fd.get(), SOL_SOCKET, SO_SNDTIMEO, &none, sizeof none) != 0 || flags < 0 ||
        ::fcntl(fd.get(), F_SETFL, flags | O_NONBLOCK) != 0)
        throwSystemError(detail::kCreateFile);
    if (!peerIsThisUser(fd.get())) {
        errno = EACCES;
        throwSystemError(detail::kCreateFile);
    }
    return fd;
}

int pollTimeout(PipeClock::time_point deadline) {
    if (deadline == PipeClock::time_point::max()) return -1;
    const auto now = PipeClock::now();
    if (deadline <= now) return 0;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
    return static_cast<int>(std::min<long long>(ms, INT_MAX));
}

// Waits until `fd` is ready for `events`; raises on the deadline or when `stopFd` becomes readable.
void awaitReady(int fd, short events, int stopFd, PipeClock::time_point deadline, const char* action) {
    for (;;) {
        pollfd fds[2] = {{fd, events, 0}, {stopFd, POLLIN, 0}};
        const int count = ::poll(fds, stopFd >= 0 ? 2 : 1, pollTimeout(deadline));
        if (count < 0) {
            if (errno == EINTR) continue;
            throwSystemError(action);
        }
        if (stopFd >= 0 && fds[1].revents != 0) throwStoppedError(action);
        if (count == 0) throwTimeoutError(action);
        if (fds[0].revents != 0) return;
    }
}

// One connected socket; owns it when it is a client's.
class SocketStream : public PipeStream {
public:
    SocketStream(Fd owned, int stopFd) : owned_(std::move(owned)), fd_(owned_.get()), stopFd_(stopFd) {}
    SocketStream(int fd, int stopFd) : fd_(fd), stopFd_(stopFd) {}

    std::size_t readSome(char* data, std::size_t size, const char* action) override {
        for (;;) {
            const ssize_t n = ::recv(fd_, data, size, 0);
            if (n >= 0) {
                credit(static_cast<std::size_t>(n));
                return static_cast<std::size_t>(n);
            }
            if (errno == EINTR) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) throwSystemError(action);
            awaitReady(fd_, POLLIN, stopFd_, waitDeadline(), action);
        }
    }

    void writeAll(const char* data, std::size_t size, const char* action) override {
        while (size > 0) {
            const ssize_t n = ::send(fd_, data, size, MSG_NOSIGNAL);
            if (n > 0) {
                data += n;
                size -= static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) throwSystemError(action);
            awaitReady(fd_, POLLOUT, stopFd_, waitDeadline(), action);
        }
    }

private:
    Fd owned_;
    int fd_;
    int stopFd_;
};

}  // namespace

namespace detail {

std::string systemPipeName(const std::string& pipeName) {
    return socketAddress(pipeName, false, detail::kWaitNamedPipe).sun_path;
}

}  // namespace detail

std::unique_ptr<PipeStream> openClientStream(const std::string& pipeName) {
    const sockaddr_un address = socketAddress(pipeName, false, detail::kWaitNamedPipe);
    return std::make_unique<SocketStream>(connectTo(address, detail::clientWait(pipeName)), -1);
}

// A connect never waits here, so there is no wait for the deadline to cut short.
std::unique_ptr<PipeStream> openClientStream(const std::string& pipeName, PipeClock::time_point) {
    return openClientStream(pipeName);
}

bool ClientPipe::isAvailable() const noexcept {
    try {
        // The server takes a connection that closes before its first byte for a probe.
        connectTo(socketAddress(name_, false, detail::kWaitNamedPipe), detail::clientWait(name_));
        return true;
    } catch (...) {
        return false;
    }
}

struct ServerPipe::Impl {
    Fd listener;
    Fd stopRead;
    Fd stopWrite;
    Fd client;
    std::string path;
    ino_t inode = 0;
    std::atomic<bool> stopped{false};
    std::atomic<std::uint64_t> clients{0};
    std::chrono::milliseconds timeout = kDefaultRequestTimeout;
};

ServerPipe::ServerPipe(const std::string& name, std::chrono::milliseconds)
    : impl_(std::make_unique<Impl>()), name_(name) {
    const sockaddr_un address = socketAddress(name, true, detail::kCreateNamedPipe);
    impl_->path = address.sun_path;

    // A socket that answers belongs to a live server; one that does not is left from a dead one.
    struct stat info;
    if (::lstat(address.sun_path, &info) == 0) {
        Fd probe = newSocket(detail::kCreateNamedPipe);
        if (::connect(probe.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
            errno == EAGAIN) {
            errno = EADDRINUSE;
            throwSystemError(detail::kCreateNamedPipe);
        }
        ::unlink(address.sun_path);
    }

    impl_->listener = newSocket(detail::kCreateNamedPipe);
    if (::bind(impl_->listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(impl_->listener.get(), INT_MAX) != 0)  // the system cuts it to its own maximum
        throwSystemError(detail::kCreateNamedPipe);
    if (::lstat(address.sun_path, &info) == 0) impl_->inode = info.st_ino;

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) throwSystemError(detail::kCreateNamedPipe);
    impl_->stopRead.reset(fds[0]);
    impl_->stopWrite.reset(fds[1]);
}

ServerPipe::~ServerPipe() {
    close();
}

void ServerPipe::close() noexcept {
    // Remove the name only while it is still this server's socket.
    struct stat info;
    if (impl_->listener && ::lstat(impl_->path.c_str(), &info) == 0 && info.st_ino == impl_->inode)
        ::unlink(impl_->path.c_str());
    impl_->client.reset();
    impl_->listener.reset();
}

void ServerPipe::receive(std::string& request) {
    Impl& impl = *impl_;
    for (;;) {
        request.clear();
        disconnect();
        if (impl.stopped || !impl.listener) return;
        try {
            awaitReady(impl.listener.get(), POLLIN, impl.stopRead.get(), PipeClock::time_point::max(),
                       detail::kConnectNamedPipe);
            Fd client(::accept4(impl.listener.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
            if (!client) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNABORTED)
                    continue;
                throwSystemError(detail::kConnectNamedPipe);
            }
            ++impl.clients;
            if (!peerIsThisUser(client.get())) {
                errno = EACCES;
                throwSystemError(detail::kConnectNamedPipe);
            }
            impl.client = std::move(client);
            SocketStream stream(impl.client.get(), impl.stopRead.get());
            detail::limitServerStream(stream, impl.timeout);
            if (detail::readFrame(stream, request) == detail::FrameStart::frame) return;
        } catch (...) {
            request.clear();
            if (impl.stopped) return;
            disconnect();
            throw;
        }
    }
}

void ServerPipe::reply(const std::string& answer) {
    Impl& impl = *impl_;
    if (!impl.client) {
        errno = ENOTCONN;
        throwSystemError("WriteFile (pipe, msg_size)");
    }
    try {
        SocketStream stream(impl.client.get(), impl.stopRead.get());
        detail::limitServerStream(stream, impl.timeout);
        writeMessage(stream, answer);
    } catch (...) {
        disconnect();
        throw;
    }
    // A socket delivers what was written even after it is closed: nothing to flush.
    if (::close(impl.client.release()) != 0) throwSystemError(detail::kDisconnectNamedPipe);
}

void ServerPipe::stop() noexcept {
    impl_->stopped = true;
    const char byte = 1;
    // The byte stays unread, so every later wait sees the stop at once.
    [[maybe_unused]] const ssize_t n = ::write(impl_->stopWrite.get(), &byte, 1);
}

bool ServerPipe::isStopped() const noexcept {
    return impl_->stopped;
}

bool ServerPipe::awaitStop(std::chrono::milliseconds limit) const noexcept {
    pollfd stop = {impl_->stopRead.get(), POLLIN, 0};
    const auto deadline = PipeClock::now() + limit;
    while (!impl_->stopped && ::poll(&stop, 1, pollTimeout(deadline)) < 0 && errno == EINTR) {
    }
    return impl_->stopped;
}

void ServerPipe::disconnect() noexcept {
    impl_->client.reset();
}

std::uint64_t ServerPipe::clientsConnected() const noexcept {
    return impl_->clients;
}

void ServerPipe::setRequestTimeout(std::chrono::milliseconds timeout) {
    impl_->timeout = timeout;
}
