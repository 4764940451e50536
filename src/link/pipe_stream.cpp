#include "link/pipe_stream.h"

#include <algorithm>
#include <cstring>

#include "support/system_error.h"

namespace {

const char* const kReadSize = "ReadFile (pipe, msg_size)";
const char* const kReadContent = "ReadFile (pipe, msg_content)";
const char* const kWriteSize = "WriteFile (pipe, msg_size)";
const char* const kWriteContent = "WriteFile (pipe, msg_content)";

[[noreturn]] void throwTooLong(std::uint64_t length, const char* action) {
    throwSystemErrorText("a message of " + std::to_string(length) + " bytes exceeds the limit of " +
                             std::to_string(kMaxMessageSize) + " bytes",
                         action);
}

}  // namespace

namespace detail {

FrameStart readFrame(PipeStream& pipe, std::string& buffer) {
    // One read may return part of the length word; only a closed peer or a failure ends it.
    unsigned char word[4];
    std::size_t have = 0;
    while (have < sizeof word) {
        const std::size_t n =
            pipe.readSome(reinterpret_cast<char*>(word) + have, sizeof word - have, kReadSize);
        if (n == 0) {
            if (have == 0) return FrameStart::closed;
            throwClosedError(kReadSize);
        }
        have += n;
    }
    std::uint32_t length;
    std::memcpy(&length, word, sizeof length);
    if (length > kMaxMessageSize) throwTooLong(length, kReadSize);

    // Sized once from the length word: a buffer grown as the bytes arrive ends up to twice the
    // message, and each growth holds the old and the new block at once. A peer that declares much
    // and sends little holds at most the limit, until its request times out.
    std::string().swap(buffer);
    buffer.resize(length);
    std::size_t got = 0;
    while (got < length) {
        const std::size_t n = pipe.readSome(&buffer[got], length - got, kReadContent);
        if (n == 0) throwClosedError(kReadContent);
        got += n;
    }
    return FrameStart::frame;
}

}  // namespace detail

void readMessage(PipeStream& pipe, std::string& buffer) {
    if (detail::readFrame(pipe, buffer) == detail::FrameStart::closed) throwClosedError(kReadSize);
}

void writeMessage(PipeStream& pipe, const std::string& bytes) {
    if (bytes.size() > kMaxMessageSize) throwTooLong(bytes.size(), kWriteSize);
    const std::uint32_t length = static_cast<std::uint32_t>(bytes.size());
    char word[sizeof length];
    std::memcpy(word, &length, sizeof length);
    pipe.writeAll(word, sizeof word, kWriteSize);
    if (length != 0) pipe.writeAll(bytes.data(), bytes.size(), kWriteContent);
}
