// Arbitrary bytes as what clients send to the plug-in's server, run in-process through the
// server's own steps against a simulated host: frames are received from the bytes (handed out in
// pieces of a size the input chooses), parsed, handled by the plug-in server's routing and
// answered, and the queued results are then applied or imported on the "main thread" by idle
// calls. "@JOB@" in a frame stands for a job folder of real files (plate\p0000.png, p0001.png,
// notes.png, art\logo.png), so that pushed projects can name footage that exists. Nothing may
// crash, and every answer is a well-formed reply frame.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

#include "host/host_context.h"
#include "link/error_report.h"
#include "link/pipe_stream.h"
#include "message/message.h"
#include "plugin/hooks.h"
#include "plugin/plugin_server.h"
#include "plugin/plugin_state.h"
#include "project/isolation_file_calls.h"
#include "sim/host/sim_host.h"
#include "support/file_system.h"

namespace {

namespace fs = std::filesystem;

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

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t piece_;
    std::size_t offset_ = 0;
    std::string written_;
};

void noBox(const std::string&) {}

// The job folder, the private pipe and journal directories, for the life of the process.
class FuzzFolder {
public:
    FuzzFolder() {
        root_ = fs::temp_directory_path() / ("skelda-fuzz-server-" + std::to_string(std::random_device()()));
        fs::create_directories(root_ / "job" / "plate");
        fs::create_directories(root_ / "job" / "art");
        fs::create_directories(root_ / "state");
        for (const char* name : {"plate/p0000.png", "plate/p0001.png", "plate/notes.png", "art/logo.png"})
            std::ofstream(root_ / "job" / name) << name;
        ::setenv("SKELDA_PIPE_DIR", (root_ / "pipes").c_str(), 1);
        ::setenv("SKELDA_STATE_DIR", (root_ / "state").c_str(), 1);
        setErrorBox(noBox);
    }
    ~FuzzFolder() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    std::string job() const { return (root_ / "job").string(); }

private:
    fs::path root_;
};

const FuzzFolder& folder() {
    static const FuzzFolder instance;
    return instance;
}

// The isolation's file calls, confined to the job folder: a pushed project may name any path,
// and a fuzzer must never rename a file of its own machine.
class JobFolderCalls : public IsolationFileCalls {
public:
    std::vector<std::string> list(const std::string& pattern) const override {
        return inside(pattern) ? IsolationFileCalls::list(pattern) : std::vector<std::string>();
    }
    void rename(const std::string& from, const std::string& to) const override {
        if (!inside(from) || !inside(to)) throw std::runtime_error("outside the job folder");
        IsolationFileCalls::rename(from, to);
    }

private:
    static bool inside(const std::string& path) {
        const std::string native = systemPath(path);
        return native.rfind(folder().job() + "/", 0) == 0 && native.find("..") == std::string::npos;
    }
};

A_Err AEGP_API storeContext(AEGP_ENTRY_PARAMETERS(basic, , , id, )) {
    hostContext().basicSuite = basic;
    hostContext().pluginId = id;
    return A_Err_NONE;
}

// A fresh host per input: a project with a two-frame footage of the job folder, active as a
// layer of a composition, so that both kinds of pushed result find what they need.
std::optional<simhost::SimHost>& host() {
    static std::optional<simhost::SimHost> instance;
    return instance;
}

void freshHost() {
    host().reset();
    simhost::SimHost& sim = host().emplace();
    sim.enter(storeContext, "fuzz");
    hostContext().mainWindow = sim.mainWindow();
    simhost::HostModel& model = sim.model();
    model.newProject();
    const int root = model.rootFolder();
    const std::string plate = folder().job() + "/plate/";
    const int shot = model.addFootage("shot", {plate + "p0000.png", plate + "p0001.png"}, root);
    const int comp = model.addComp("Comp 1", 64, 48, 25.0, {50, 25}, root);
    model.activeItem = comp;
    model.activeLayer = model.addLayer(comp, shot, AEGP_ObjectType_AV);
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The server whose steps the input runs through; its own pipe lives in the private directory.
PluginServer& server() {
    folder();
    static PluginServer instance("\\\\.\\pipe\\fuzz-server");
    return instance;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    PluginServer& plugin = server();
    static const JobFolderCalls calls;
    const ScopedIsolationFileCalls confined(calls);
    freshHost();
    BytesStream in(data + 1, size - 1, 1 + data[0] % 16 * 997);
    BytesStream out(nullptr, 0, 1);
    for (;;) {
        std::string request;
        try {
            if (detail::readFrame(in, request) == detail::FrameStart::closed || request.empty()) break;
        } catch (const std::exception&) {
            break;  // a truncated or overlong frame: the client is dropped
        }
        replaceAll(request, "@JOB@", folder().job());
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
        // The host reaches its idle calls: the queued results are applied in order.
        while (deferredTaskQueue().size() > 0) IdleHook(nullptr, nullptr, nullptr);
    }
    deferredTaskQueue().clear();
    return 0;
}
