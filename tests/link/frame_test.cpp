// Framing over an in-memory stream that hands out bytes in pieces of a chosen size.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "link/pipe_stream.h"
#include "support/xtd_exception.h"

namespace {

class PieceStream : public PipeStream {
public:
    PieceStream(std::string input, std::size_t piece) : input_(std::move(input)), piece_(piece) {}
    std::size_t readSome(char* data, std::size_t size, const char*) override {
        const std::size_t n = std::min({size, piece_, input_.size() - offset_});
        std::memcpy(data, input_.data() + offset_, n);
        offset_ += n;
        ++reads_;
        return n;
    }
    void writeAll(const char* data, std::size_t size, const char*) override { output_.append(data, size); }

    std::string output_;
    int reads_ = 0;

private:
    std::string input_;
    std::size_t piece_;
    std::size_t offset_ = 0;
};

std::string frame(std::uint32_t length, const std::string& body) {
    std::string bytes(4, '\0');
    std::memcpy(&bytes[0], &length, 4);
    return bytes + body;
}

std::string readError(const std::string& input) {
    PieceStream stream(input, 1 << 20);
    std::string buffer;
    try {
        readMessage(stream, buffer);
    } catch (const xtd::exception& e) {
        return e.what();
    }
    return "no error";
}

TEST(Frame, WritesLengthWordThenContent) {
    PieceStream empty("", 1);
    writeMessage(empty, "");
    EXPECT_EQ(empty.output_, std::string(4, '\0'));
    PieceStream five("", 1);
    writeMessage(five, "abcde");
    EXPECT_EQ(five.output_, std::string("\x05\0\0\0abcde", 9));
}

TEST(Frame, ReadsAFrameDeliveredInPiecesOfAnySize) {
    const std::string body(100000, 'x');
    for (std::size_t piece : {1u, 2u, 3u, 5u, 4096u, 1u << 20}) {
        PieceStream stream(frame(static_cast<std::uint32_t>(body.size()), body) + "tail", piece);
        std::string buffer = "old content";
        readMessage(stream, buffer);
        EXPECT_EQ(buffer, body) << "piece " << piece;
    }
    PieceStream empty(frame(0, ""), 3);
    std::string buffer = "old";
    readMessage(empty, buffer);
    EXPECT_TRUE(buffer.empty());
}

TEST(Frame, PeerClosingEarlyNamesTheStep) {
    struct Case {
        std::string input;
        const char* action;
    } cases[] = {
        {"", "ReadFile (pipe, msg_size)"},
        {std::string("\x0a\0", 2), "ReadFile (pipe, msg_size)"},
        {frame(10, "123456"), "ReadFile (pipe, msg_content)"},
    };
    for (const Case& c : cases) {
        const std::string text = readError(c.input);
        EXPECT_EQ(text.rfind("System error", 0), 0u) << text;
        EXPECT_NE(text.find(std::string("\nas a result of ") + c.action), std::string::npos) << text;
    }
}

TEST(Frame, OverlongLengthIsRefusedBeforeAnythingIsAllocated) {
    for (std::uint32_t length : {0xFFFFFFFFu, kMaxMessageSize + 1}) {
        PieceStream stream(frame(length, "abc"), 1 << 20);
        std::string buffer;
        EXPECT_THROW(readMessage(stream, buffer), xtd::exception);
        EXPECT_LT(buffer.capacity(), 1024u);
        EXPECT_EQ(stream.reads_, 1);
        EXPECT_NE(readError(frame(length, ""))
                      .find("exceeds the limit of 33554432 bytes\nas a result of "
                            "ReadFile (pipe, msg_size)"),
                  std::string::npos);
    }
}

TEST(Frame, MessageOfExactlyTheLimitIsAccepted) {
    const std::string body(kMaxMessageSize, 'm');
    PieceStream stream(frame(kMaxMessageSize, body), 1 << 20);
    std::string buffer;
    readMessage(stream, buffer);
    EXPECT_EQ(buffer.size(), kMaxMessageSize);

    PieceStream out("", 1);
    writeMessage(out, body);
    EXPECT_EQ(out.output_.size(), kMaxMessageSize + 4u);
    EXPECT_THROW(writeMessage(out, body + "!"), xtd::exception);
}

TEST(Frame, DetectsAProbeThatSendsNothing) {
    PieceStream stream("", 1);
    std::string buffer;
    EXPECT_EQ(detail::readFrame(stream, buffer), detail::FrameStart::closed);
}

}  // namespace
