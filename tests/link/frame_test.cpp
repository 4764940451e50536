// Framing over an in-memory stream that hands out bytes in pieces of a chosen size.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/xtd_exception.h"
#include "tests/link/link_test_kit.h"

using linktest::frame;

namespace {

class PieceStream : public PipeStream {
public:
    PieceStream(std::string input, std::size_t piece = 1 << 20) : input_(std::move(input)), piece_(piece) {}
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

// A peer closing early names the step; an overlong length is refused after reading the length
// word alone, before anything is allocated for it (servers read through readFrame).
TEST(Frame, BadInputRaisesNamingTheStep) {
    const std::string tooLong =
        "exceeds the limit of 33554432 bytes\nas a result of ReadFile (pipe, msg_size)";
    struct Case {
        std::string input;
        std::string text;
    } cases[] = {
        {"", "as a result of ReadFile (pipe, msg_size)"},
        {std::string("\x0a\0", 2), "as a result of ReadFile (pipe, msg_size)"},
        {frame(10, "123456"), "as a result of ReadFile (pipe, msg_content)"},
        {frame(0xFFFFFFFFu, "abc"), tooLong},
        {frame(kMaxMessageSize + 1, "abc"), tooLong},
    };
    for (const Case& c : cases) {
        PieceStream stream(c.input);
        std::string buffer;
        const std::string text = linktest::errorOf([&] { readMessage(stream, buffer); });
        EXPECT_EQ(text.rfind("System error", 0), 0u) << text;
        EXPECT_TRUE(linktest::endsWith(text, c.text)) << text;
        if (c.text != tooLong) continue;
        PieceStream server(c.input);
        EXPECT_THROW(detail::readFrame(server, buffer), xtd::exception);
        EXPECT_EQ(server.reads_, 1);
        EXPECT_LT(buffer.capacity(), 1024u);
    }
    PieceStream probe("");
    std::string buffer;
    EXPECT_EQ(detail::readFrame(probe, buffer), detail::FrameStart::closed);
}

TEST(Frame, WritesLengthThenContentUpToExactlyTheLimit) {
    PieceStream out("");
    writeMessage(out, "");
    writeMessage(out, "abcde");
    EXPECT_EQ(out.output_, std::string("\0\0\0\0\x05\0\0\0abcde", 13));

    const std::string body(kMaxMessageSize, 'm');
    PieceStream stream(frame(kMaxMessageSize, body));
    std::string buffer;
    readMessage(stream, buffer);
    EXPECT_EQ(buffer.size(), kMaxMessageSize);
    PieceStream big("");
    writeMessage(big, body);
    EXPECT_EQ(big.output_.size(), kMaxMessageSize + 4u);
    EXPECT_THROW(writeMessage(big, body + "!"), xtd::exception);
}

}  // namespace
