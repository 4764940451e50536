#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

// The longest message either end accepts. The largest real one, a 300,000-frame project, is
// about 30 MB of XML, and its parsed tree costs many times that, so a longer length word is
// refused before anything is allocated for it.
constexpr std::uint32_t kMaxMessageSize = 32u * 1024u * 1024u;

using PipeClock = std::chrono::steady_clock;

// One connected end of a pipe. Every wait is bounded by the stream's deadline (none unless
// set) and ends early when the owner of the pipe stops it.
class PipeStream {
public:
    virtual ~PipeStream() = default;

    // Reads at least one and at most `size` bytes; returns 0 only when the peer has closed.
    // A failed call, the deadline or a stop raises the system error naming `action`.
    virtual std::size_t readSome(char* data, std::size_t size, const char* action) = 0;
    // Writes all `size` bytes, or raises the system error naming `action`.
    virtual void writeAll(const char* data, std::size_t size, const char* action) = 0;

    void setDeadline(PipeClock::time_point deadline) { deadline_ = deadline; }
    void setTimeout(std::chrono::milliseconds timeout) { deadline_ = PipeClock::now() + timeout; }
    PipeClock::time_point deadline() const { return deadline_; }
    // A peer that moves no byte for `limit` fails the read or write at once, before the deadline.
    void setProgressTimeout(std::chrono::milliseconds limit) { progress_ = limit; }
    // Each byte read moves the deadline on by `allowance`, so that a large body that keeps
    // arriving is not cut off while one that dribbles still is.
    void setAllowancePerByte(std::chrono::nanoseconds allowance) { perByte_ = allowance; }

protected:
    // Where the wait for the next byte ends.
    PipeClock::time_point waitDeadline() const {
        if (progress_.count() <= 0) return deadline_;
        return std::min(deadline_, PipeClock::now() + progress_);
    }
    // `bytes` arrived.
    void credit(std::size_t bytes) {
        if (perByte_.count() > 0 && deadline_ != PipeClock::time_point::max())
            deadline_ += perByte_ * static_cast<std::int64_t>(bytes);
    }

    PipeClock::time_point deadline_ = PipeClock::time_point::max();
    std::chrono::milliseconds progress_{0};
    std::chrono::nanoseconds perByte_{0};
};

// Frame: a 4-byte length in the machine's byte order, then exactly that many bytes.

// Reads one frame; `buffer` is resized to its length and its old content discarded.
void readMessage(PipeStream& pipe, std::string& buffer);
// Writes `bytes` as one frame.
void writeMessage(PipeStream& pipe, const std::string& bytes);

namespace detail {

enum class FrameStart { frame, closed };

// readMessage, except that a peer closing before the first length byte gives `closed`: servers
// treat such a connection as a probe of whether they listen.
FrameStart readFrame(PipeStream& pipe, std::string& buffer);

}  // namespace detail
