// Arbitrary bytes as what clients send to the plug-in's server, run in-process through the
// server's own steps: frames are received from the bytes (handed out in pieces of a size the
// input chooses), parsed, handled by the plug-in server's routing and answered. A frame may be
// refused or fail to parse; nothing may crash, and every answer is a well-formed reply frame.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "link/error_report.h"
#include "link/pipe_stream.h"
#include "link/plugin_server.h"
#include "message/message.h"

namespace {

class BytesStream : public PipeStream {
public:
    BytesStream(const std::uint8_t* data, std::size_t size, std::size_t piece)
        : data_(data), size_(size), piece_(piece) {}
    std::size_t readSome(char* out, std::size_t size, const char*) override {
        const std::size_t n = std::min({size, piece_, size_ - offset_});
        std::memcpy(out, data_ + offset_, n);
        offset_ += n;
        return n;
    }
    void writeAll(const char* data, std::size_t size, const char*) override { written_.append(data, size); }
    const std::string& written() const { return written_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t piece_;
    std::size_t offset_ = 0;
    std::string written_;
};

void noBox(const std::string&) {}

// The server whose steps the input runs through; its own pipe lives in a private directory.
PluginServer& server() {
    static const std::string directory = [] {
        const auto path = std::filesystem::temp_directory_path() /
                          ("skelda-fuzz-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(path);
        setenv("SKELDA_PIPE_DIR", (path / "pipes").c_str(), 1);
        setErrorBox(noBox);
        return path.string();
    }();
    static PluginServer instance("\\\\.\\pipe\\fuzz-server");
    return instance;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    PluginServer& plugin = server();
    BytesStream in(data + 1, size - 1, 1 + data[0] % 16 * 997);
    BytesStream out(nullptr, 0, 1);
    for (;;) {
        std::string request;
        try {
            if (detail::readFrame(in, request) == detail::FrameStart::closed || request.empty()) break;
        } catch (const std::exception&) {
            break;  // a truncated or overlong frame: the client is dropped
        }
        std::string reply;
        std::exception_ptr handlerFailure;
        try {
            plugin.answer(request, reply, handlerFailure);
        } catch (const std::exception&) {
            continue;  // not a message: reported, not answered
        }
        writeMessage(out, reply);
        // The reply must itself be a message the application can read.
        if (!reply.empty()) Message().fromBytes(reply);
    }
    return 0;
}
