// The host process's heap for a pushed 100,000-frame tracking result, from the push to the
// keyframes written, in-process against the simulated host: the peak growth of what the plug-in
// allocates (everything but what the host allocates inside its own suite operations, chiefly the
// keyframes it keeps), beside the message's size on the wire, and the same for the whole process.
// Cold: the first push to a freshly loaded plug-in; warm: a second push after one just like it.
// Every allocation is counted: global operator new and delete are replaced, and pugixml is given
// counting functions.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <random>
#include <string>

#include "bench/bench_kit.h"
#include "bench/bench_pipe_directory.h"
#include "link/pipe.h"
#include "message/message.h"
#include "message/pugixml.h"
#include "plugin/plugin_entry.h"
#include "plugin/plugin_state.h"
#include "sim/host/host_call.h"
#include "sim/host/sim_host.h"
#include "tracking/transformations_xml.h"

namespace {

// Live and peak bytes of one owner.
struct Account {
    std::atomic<long long> live{0};
    std::atomic<long long> peak{0};

    void add(long long bytes) {
        const long long now = live.fetch_add(bytes, std::memory_order_relaxed) + bytes;
        long long seen = peak.load(std::memory_order_relaxed);
        while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
        }
    }
    void remove(long long bytes) { live.fetch_sub(bytes, std::memory_order_relaxed); }
    void restartPeak() { peak.store(live.load()); }
};

Account g_plugin;
Account g_host;
Account g_total;

// Each block carries its size and its owner in front of the caller's bytes.
struct alignas(std::max_align_t) BlockHeader {
    std::size_t size;
    bool host;
};

void* countedAllocate(std::size_t size) noexcept {
    auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
    if (header == nullptr) return nullptr;
    header->size = size;
    header->host = simhost::insideHostCall();
    (header->host ? g_host : g_plugin).add(static_cast<long long>(size));
    g_total.add(static_cast<long long>(size));
    return header + 1;
}

void countedFree(void* pointer) noexcept {
    if (pointer == nullptr) return;
    BlockHeader* header = static_cast<BlockHeader*>(pointer) - 1;
    (header->host ? g_host : g_plugin).remove(static_cast<long long>(header->size));
    g_total.remove(static_cast<long long>(header->size));
    std::free(header);
}

void* countedNew(std::size_t size) {
    if (void* pointer = countedAllocate(size == 0 ? 1 : size)) return pointer;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    return countedNew(size);
}
void* operator new[](std::size_t size) {
    return countedNew(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return countedAllocate(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return countedAllocate(size == 0 ? 1 : size);
}
void operator delete(void* pointer) noexcept {
    countedFree(pointer);
}
void operator delete[](void* pointer) noexcept {
    countedFree(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    countedFree(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    countedFree(pointer);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    countedFree(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    countedFree(pointer);
}

namespace {

constexpr double kMB = 1e6;

// The drift record as the application pushes it, with the export model asked for.
const std::string& pushedMessage(ExportModel model) {
    static std::map<ExportModel, std::string> messages;
    std::string& bytes = messages[model];
    if (bytes.empty()) {
        Transformations record = benchkit::driftRecord();
        record.exportModel = model;
        bytes = messageBytes(MessageType::Transformations,
                             [&](const XmlArchive& archive) { serializeTransformations(archive, record); });
    }
    return bytes;
}

// The plug-in loaded into a host whose project has a composition as long as the record.
class PushScene {
public:
    PushScene() {
        host_ = std::make_unique<simhost::SimHost>();
        if (host_->enter(skeldaPluginMain, "bench") != 0)
            throw std::runtime_error("the plug-in did not start");
        host_->model().newProject();
        comp_ = host_->model().addComp("Comp", 640, 480, 25, {benchkit::kDriftFrames, 25},
                                       host_->model().rootFolder());
        plate_ = host_->model().addComp("Plate", 640, 480, 25, {benchkit::kDriftFrames, 25},
                                        host_->model().rootFolder());
    }
    ~PushScene() {
        host_.reset();
        resetPluginState();
    }

    // Pushes the message to a new active layer, as the application does, and runs idle calls
    // until its keyframes are written.
    void pushAndApply(const std::string& bytes) {
        host_->model().activeLayer = host_->model().addLayer(comp_, plate_, AEGP_ObjectType_AV);
        std::string reply;
        ClientPipe(kPluginPipeName).transact(bytes, reply);
        if (!reply.empty() && Message(MessageType::Empty).toBytes() != reply)
            throw std::runtime_error("the push was refused");
        while (deferredTaskQueue().size() > 0) host_->idle();
        if (!host_->reports().empty()) throw std::runtime_error(host_->reports().front());
        // What the host logged of the calls is no part of the next push.
        host_->faults().clearCalls();
        host_->windows().clear();
    }

private:
    benchkit::PipeDirectory pipes_{"bench-memory"};
    std::unique_ptr<simhost::SimHost> host_;
    int comp_ = 0;
    int plate_ = 0;
};

struct Growth {
    double plugin = 0;    // peak growth of the plug-in's own bytes
    double total = 0;     // peak growth of the process's bytes
    double host = 0;      // the host's own bytes at the end, above the start
    double retained = 0;  // the plug-in's bytes left at the end, above the start
};

Growth measuredPush(PushScene& scene, const std::string& bytes) {
    const long long plugin = g_plugin.live.load();
    const long long host = g_host.live.load();
    const long long total = g_total.live.load();
    g_plugin.restartPeak();
    g_total.restartPeak();
    scene.pushAndApply(bytes);
    Growth growth;
    growth.plugin = static_cast<double>(g_plugin.peak.load() - plugin);
    growth.total = static_cast<double>(g_total.peak.load() - total);
    growth.host = static_cast<double>(g_host.live.load() - host);
    growth.retained = static_cast<double>(g_plugin.live.load() - plugin);
    return growth;
}

std::map<std::string, double> g_ratios;

void pushed(benchmark::State& state, const char* name, ExportModel model, bool warm) {
    const std::string& bytes = pushedMessage(model);
    const double wire = static_cast<double>(bytes.size());
    Growth growth;
    for (auto _ : state) {
        state.PauseTiming();
        PushScene scene;
        if (warm) scene.pushAndApply(bytes);
        state.ResumeTiming();
        growth = measuredPush(scene, bytes);
    }
    state.counters["wire_MB"] = wire / kMB;
    state.counters["peak_MB"] = growth.plugin / kMB;
    state.counters["peak_x_wire"] = growth.plugin / wire;
    state.counters["process_peak_x_wire"] = growth.total / wire;
    state.counters["host_keeps_MB"] = growth.host / kMB;
    state.counters["left_MB"] = growth.retained / kMB;
    g_ratios[name] = growth.plugin / wire;
}

void RigidScaleCold(benchmark::State& state) {
    pushed(state, "RigidScaleCold", ExportModel::RigidScale, false);
}
void RigidScaleWarm(benchmark::State& state) {
    pushed(state, "RigidScaleWarm", ExportModel::RigidScale, true);
}
void CornerPinCold(benchmark::State& state) {
    pushed(state, "CornerPinCold", ExportModel::CornerPin, false);
}
void CornerPinWarm(benchmark::State& state) {
    pushed(state, "CornerPinWarm", ExportModel::CornerPin, true);
}

// One push each: the peak is what is measured, and a push takes seconds.
BENCHMARK(RigidScaleCold)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RigidScaleWarm)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(CornerPinCold)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(CornerPinWarm)->Iterations(1)->Unit(benchmark::kMillisecond);

void* pugiAllocate(std::size_t size) {
    return countedAllocate(size);
}

}  // namespace

int main(int argc, char** argv) {
    pugi::set_memory_management_functions(pugiAllocate, countedFree);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("record: %d frames pushed; goals: RigidScale <= 3x, CornerPin <= 5x the wire size\n",
                benchkit::kDriftFrames);
    benchmark::RunSpecifiedBenchmarks();
    for (const auto& [name, ratio] : g_ratios)
        std::printf("%s: plug-in peak %.2f x the wire size\n", name.c_str(), ratio);
    benchmark::Shutdown();
    return 0;
}
