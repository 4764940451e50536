// Pipes on Windows: named pipes with overlapped I/O, so that every wait has a deadline and a stop.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "link/pipe.h"
#include "link/pipe_actions.h"
#include "support/system_error.h"

namespace {

const char* const kFlushFileBuffers = "FlushFileBuffers (pipe)";

constexpr DWORD kBufferSize = 4096;

// Owns one kernel handle.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept {
        if (handle_) ::CloseHandle(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        return *this;
    }
    ~Handle() {
        if (handle_) ::CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HANDLE handle_ = nullptr;
};

Handle newEvent(const char* action) {
    Handle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!event) throwSystemError(action);
    return event;
}

DWORD waitMillis(PipeClock::time_point deadline) {
    if (deadline == PipeClock::time_point::max()) return INFINITE;
    const auto now = PipeClock::now();
    if (deadline <= now) return 0;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
    return static_cast<DWORD>(std::min<long long>(ms, INFINITE - 1));
}

// WaitNamedPipe's time-out: the server's default without a deadline (time-out 0), else what is
// left of it, at least 1 ms (0 would again mean the default).
DWORD pipeWaitMillis(PipeClock::time_point deadline) {
    if (deadline == PipeClock::time_point::max()) return NMPWAIT_USE_DEFAULT_WAIT;
    return std::max<DWORD>(1, waitMillis(deadline));
}

bool isPeerGone(DWORD error) {
    return error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED || error == ERROR_NO_DATA;
}

enum class Outcome { done, peerGone };

// Waits for one overlapped call that `started` began. On the deadline or a stop the call is
// cancelled and awaited (its OVERLAPPED lives on the caller's stack) before raising.
Outcome finishOverlapped(HANDLE pipe, OVERLAPPED& overlapped, BOOL started, HANDLE stop,
                         PipeClock::time_point deadline, const char* action, DWORD& transferred) {
    transferred = 0;
    if (!started) {
        const DWORD error = ::GetLastError();
        if (isPeerGone(error)) return Outcome::peerGone;
        if (error != ERROR_IO_PENDING) throwSystemError(action);
        const HANDLE handles[2] = {overlapped.hEvent, stop};
        const DWORD wait = ::WaitForMultipleObjects(stop ? 2 : 1, handles, FALSE, waitMillis(deadline));
        if (wait != WAIT_OBJECT_0) {
            const DWORD waitError = ::GetLastError();
            ::CancelIoEx(pipe, &overlapped);
            DWORD ignored;
            ::GetOverlappedResult(pipe, &overlapped, &ignored, TRUE);
            if (wait == WAIT_TIMEOUT) throwTimeoutError(action);
            if (wait == WAIT_OBJECT_0 + 1) throwStoppedError(action);
            ::SetLastError(waitError);
            throwSystemError(action);
        }
    }
    if (!::GetOverlappedResult(pipe, &overlapped, &transferred, FALSE)) {
        if (isPeerGone(::GetLastError())) return Outcome::peerGone;
        throwSystemError(action);
    }
    return Outcome::done;
}

// One connected pipe end; owns the handle when it is a client's.
class OverlappedStream : public PipeStream {
public:
    OverlappedStream(Handle owned, HANDLE stop)
        : owned_(std::move(owned)), pipe_(owned_.get()), stop_(stop), event_(newEvent(detail::kCreateFile)) {}
    OverlappedStream(HANDLE pipe, HANDLE stop)
        : pipe_(pipe), stop_(stop), event_(newEvent(detail::kConnectNamedPipe)) {}

    std::size_t readSome(char* data, std::size_t size, const char* action) override {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20));
        for (;;) {
            OVERLAPPED overlapped{};
            overlapped.hEvent = event_.get();
            ::ResetEvent(event_.get());
            DWORD got = 0;
            const BOOL started = ::ReadFile(pipe_, data, want, nullptr, &overlapped);
            if (finishOverlapped(pipe_, overlapped, started, stop_, waitDeadline(), action, got) ==
                Outcome::peerGone)
                return 0;
            // A zero-byte write by the peer completes a read with nothing: wait for real bytes.
            if (got > 0) {
                credit(got);
                return got;
            }
        }
    }

    void writeAll(const char* data, std::size_t size, const char* action) override {
        while (size > 0) {
            OVERLAPPED overlapped{};
            overlapped.hEvent = event_.get();
            ::ResetEvent(event_.get());
            DWORD put = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20));
            const BOOL started = ::WriteFile(pipe_, data, chunk, nullptr, &overlapped);
            if (finishOverlapped(pipe_, overlapped, started, stop_, waitDeadline(), action, put) ==
                Outcome::peerGone)
                throwClosedError(action);
            data += put;
            size -= put;
        }
    }

private:
    Handle owned_;
    HANDLE pipe_;
    HANDLE stop_;
    Handle event_;
};

// A DACL that grants the pipe to the current user alone: the default one lets Everyone and
// Anonymous read it.
class OwnerOnlySecurity {
public:
    explicit OwnerOnlySecurity(const char* action) {
        HANDLE rawToken = nullptr;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &rawToken)) throwSystemError(action);
        const Handle token(rawToken);
        DWORD size = 0;
        ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
        user_.resize(size);
        if (size == 0 || !::GetTokenInformation(token.get(), TokenUser, user_.data(), size, &size))
            throwSystemError(action);
        const PSID sid = reinterpret_cast<TOKEN_USER*>(user_.data())->User.Sid;
        const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + ::GetLengthSid(sid);
        acl_.resize(aclSize);
        const PACL acl = reinterpret_cast<PACL>(acl_.data());
        if (!::InitializeAcl(acl, aclSize, ACL_REVISION) ||
            !::AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, sid) ||
            !::InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
            !::SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE))
            throwSystemError(action);
        attributes_.nLength = sizeof attributes_;
        attributes_.lpSecurityDescriptor = &descriptor_;
        attributes_.bInheritHandle = FALSE;
    }
    SECURITY_ATTRIBUTES* get() { return &attributes_; }

private:
    std::vector<BYTE> user_;
    std::vector<BYTE> acl_;
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
};

}  // namespace

namespace detail {

// A test sets SKELDA_PIPE_DIR so that its pipes never meet those of other tests (the POSIX
// sockets live in that directory); here the directory becomes a prefix of the pipe's name.
// Without the variable the names are used exactly as given.
std::string systemPipeName(const std::string& name) {
    const char* const prefix = "\\\\.\\pipe\\";
    char dir[1024];
    const DWORD length = ::GetEnvironmentVariableA("SKELDA_PIPE_DIR", dir, sizeof dir);
    if (length == 0 || length >= sizeof dir || name.compare(0, std::strlen(prefix), prefix) != 0) return name;
    std::string scope(dir, length);
    for (char& c : scope)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') c = '_';
    if (scope.size() > 120) scope.erase(0, scope.size() - 120);
    return prefix + scope + "\\" + name.substr(std::strlen(prefix));
}

}  // namespace detail

std::unique_ptr<PipeStream> openClientStream(const std::string& pipeName) {
    return openClientStream(pipeName, PipeClock::time_point::max());
}

std::unique_ptr<PipeStream> openClientStream(const std::string& pipeName, PipeClock::time_point deadline) {
    const std::string systemName = detail::systemPipeName(pipeName);
    for (;;) {
        if (!::WaitNamedPipeA(systemName.c_str(), pipeWaitMillis(deadline)))
            throwSystemError(detail::kWaitNamedPipe);
        // Identification only: the server may learn who we are but not act as us.
        Handle pipe(::CreateFileA(systemName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                                  nullptr));
        if (pipe) return std::make_unique<OverlappedStream>(std::move(pipe), nullptr);
        // Another client took the free instance first: wait again while the deadline allows.
        if (::GetLastError() != ERROR_PIPE_BUSY || deadline == PipeClock::time_point::max() ||
            PipeClock::now() >= deadline)
            throwSystemError(detail::kCreateFile);
    }
}

bool ClientPipe::isAvailable() const noexcept {
    return ::WaitNamedPipeA(detail::systemPipeName(name_).c_str(), pipeWaitMillis(deadline_)) != 0;
}

// The instance is created once and only ever disconnected and connected again: closing and
// re-creating it would let another process take the name in between. It listens again as soon
// as a client is gone, so that the next client can connect while the server is still busy.
struct ServerPipe::Impl {
    enum class State { idle, listening, connected };

    Handle pipe;
    Handle stopEvent;
    Handle connectEvent;
    OVERLAPPED listen{};
    State state = State::idle;
    std::atomic<bool> stopped{false};
    std::atomic<std::uint64_t> clients{0};
    std::chrono::milliseconds timeout = kDefaultRequestTimeout;

    ~Impl() { close(); }

    void close() noexcept {
        if (!pipe) return;
        if (state == State::listening) {
            ::CancelIoEx(pipe.get(), &listen);
            DWORD ignored;
            ::GetOverlappedResult(pipe.get(), &listen, &ignored, TRUE);
        }
        if (state == State::connected) ::DisconnectNamedPipe(pipe.get());
        state = State::idle;
        pipe = Handle();
    }

    void startListening() {
        listen = OVERLAPPED{};
        listen.hEvent = connectEvent.get();
        ::ResetEvent(listen.hEvent);
        if (::ConnectNamedPipe(pipe.get(), &listen)) {
            state = State::connected;
            return;
        }
        const DWORD error = ::GetLastError();
        if (error == ERROR_IO_PENDING) {
            state = State::listening;
        } else if (error == ERROR_PIPE_CONNECTED || error == ERROR_NO_DATA) {
            // A client came before the call; one that has gone again may have left its request.
            state = State::connected;
        } else {
            throwSystemError(detail::kConnectNamedPipe);
        }
    }

    // Returns false when stopped.
    bool awaitClient() {
        const HANDLE handles[2] = {connectEvent.get(), stopEvent.get()};
        const DWORD wait = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (wait != WAIT_OBJECT_0) ::CancelIoEx(pipe.get(), &listen);
        DWORD ignored;
        const BOOL ok = ::GetOverlappedResult(pipe.get(), &listen, &ignored, TRUE);
        const DWORD error = ::GetLastError();
        state = State::idle;
        if (wait == WAIT_OBJECT_0 + 1) return false;
        if (wait != WAIT_OBJECT_0 || (!ok && error != ERROR_PIPE_CONNECTED && error != ERROR_NO_DATA)) {
            ::SetLastError(error);
            throwSystemError(detail::kConnectNamedPipe);
        }
        state = State::connected;
        return true;
    }

    void disconnect() noexcept {
        if (state != State::connected || !pipe) return;
        ::DisconnectNamedPipe(pipe.get());
        state = State::idle;
        try {
            startListening();
        } catch (...) {
            // Tried again, and reported, by the next receive.
        }
    }
};

ServerPipe::ServerPipe(const std::string& name, std::chrono::milliseconds clientWait)
    : impl_(std::make_unique<Impl>()), name_(name) {
    OwnerOnlySecurity security(detail::kCreateNamedPipe);
    impl_->pipe = Handle(
        ::CreateNamedPipeA(detail::systemPipeName(name).c_str(),
                           PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                           PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                           kBufferSize, kBufferSize, static_cast<DWORD>(clientWait.count()), security.get()));
    if (!impl_->pipe) throwSystemError(detail::kCreateNamedPipe);
    impl_->stopEvent = newEvent(detail::kCreateNamedPipe);
    impl_->connectEvent = newEvent(detail::kCreateNamedPipe);
    impl_->startListening();
}

ServerPipe::~ServerPipe() = default;

void ServerPipe::receive(std::string& request) {
    Impl& impl = *impl_;
    for (;;) {
        request.clear();
        if (impl.stopped || !impl.pipe) return;
        try {
            impl.disconnect();
            if (impl.state == Impl::State::idle) impl.startListening();
            if (impl.state == Impl::State::listening && !impl.awaitClient()) return;
            ++impl.clients;
            OverlappedStream stream(impl.pipe.get(), impl.stopEvent.get());
            detail::limitServerStream(stream, impl.timeout);
            if (detail::readFrame(stream, request) == detail::FrameStart::frame) return;
        } catch (...) {
            request.clear();
            if (impl.stopped) return;
            impl.disconnect();
            throw;
        }
    }
}

void ServerPipe::reply(const std::string& answer) {
    Impl& impl = *impl_;
    try {
        OverlappedStream stream(impl.pipe.get(), impl.stopEvent.get());
        detail::limitServerStream(stream, impl.timeout);
        writeMessage(stream, answer);
        // FlushFileBuffers would wait without limit for a client that never reads; the client
        // closes once it has read the reply, so wait for that instead, within the deadline.
        char discard[256];
        while (stream.readSome(discard, sizeof discard, kFlushFileBuffers) != 0) {
        }
    } catch (...) {
        impl.disconnect();
        throw;
    }
    impl.state = Impl::State::idle;
    if (!::DisconnectNamedPipe(impl.pipe.get())) throwSystemError(detail::kDisconnectNamedPipe);
    try {
        impl.startListening();
    } catch (...) {
        // Tried again, and reported, by the next receive.
    }
}

void ServerPipe::stop() noexcept {
    impl_->stopped = true;
    ::SetEvent(impl_->stopEvent.get());
}

bool ServerPipe::isStopped() const noexcept {
    return impl_->stopped;
}

bool ServerPipe::awaitStop(std::chrono::milliseconds limit) const noexcept {
    ::WaitForSingleObject(impl_->stopEvent.get(), static_cast<DWORD>(limit.count()));
    return impl_->stopped;
}

void ServerPipe::disconnect() noexcept {
    impl_->disconnect();
}

void ServerPipe::close() noexcept {
    impl_->close();
}

std::uint64_t ServerPipe::clientsConnected() const noexcept {
    return impl_->clients;
}

void ServerPipe::setRequestTimeout(std::chrono::milliseconds timeout) {
    impl_->timeout = timeout;
}
