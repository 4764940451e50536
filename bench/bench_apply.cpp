// Applying a 100,000-frame RigidScale result to a layer of the simulated host, with keyframes added in
// batches and one at a time, beside the model's own work (compute and emission into a sink that
// writes nothing) in the same run; keyframes per second and the ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "apply/apply_transformations.h"
#include "apply/layer_keyframe_sink.h"
#include "host/sim_host.h"
#include "plugin/apply_progress_dialog.h"
#include "plugin/host_context.h"
#include "plugin/plugin_state.h"
#include "tracking/model_choice.h"

namespace {

constexpr int kFrames = 100000;

// A slow drift with rotation, scale and a little noise; at this tolerance most frames stay keyed.
const Transformations& trackedMotion() {
    static const Transformations record = [] {
        std::mt19937 rng(7);
        std::normal_distribution<double> noise(0, 0.3);
        Transformations t;
        t.exportInaccuracy = 0.1f;
        t.exportModel = ExportModel::RigidScale;
        t.frames.resize(kFrames);
        for (int i = 0; i < kFrames; ++i) {
            const double angle = 0.2 * std::sin(i * 0.001);
            const double scale = 1 + 0.05 * std::sin(i * 0.0003);
            Transform& f = t.frames[i];
            f.xx = scale * std::cos(angle);
            f.xy = -scale * std::sin(angle);
            f.yx = scale * std::sin(angle);
            f.yy = scale * std::cos(angle);
            f.x = 0.37 * i + noise(rng);
            f.y = -0.21 * i + 40 * std::sin(i * 0.01) + noise(rng);
        }
        return t;
    }();
    return record;
}

AEGP_PluginID g_plugin = 0;

A_Err AEGP_API recordPlugin(const SPBasicSuite*, A_long, A_long, const A_char*, AEGP_GlobalRefcon*,
                            AEGP_PluginID id) {
    g_plugin = id;
    return A_Err_NONE;
}

// A host with a 640 x 480 layer lasting all the frames of a 25 fps composition.
struct Scene {
    explicit Scene(bool bulk) {
        host.enter(recordPlugin, "bench");
        hostContext().basicSuite = host.basicSuite();
        hostContext().pluginId = g_plugin;
        host.model().newProject();
        const int comp = host.model().addComp("Comp", 640, 480, 25, {kFrames, 25}, host.model().rootFolder());
        const int source =
            host.model().addComp("Plate", 640, 480, 25, {kFrames, 25}, host.model().rootFolder());
        layer = simhost::toHandle<AEGP_LayerH>(host.model().addLayer(comp, source, AEGP_ObjectType_AV));
        if (!bulk) host.suites().withdraw(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion2);
    }
    ~Scene() { ResetPluginState(); }
    // What the host recorded of the last apply, so that runs do not pile up.
    void forget() {
        host.windows().clear();
        host.references().clear();
        host.model().undoGroups().clear();
    }

    simhost::SimHost host;
    AEGP_LayerH layer = nullptr;
};

// Takes keyframes and drops them.
class NullSink : public KeyframeSink {
public:
    NullSink() {
        width_ = 640;
        height_ = 480;
        endFrame_ = kFrames;
    }
    void selectLayerStream(LayerStream) override {}
    void applyEffect(const std::string&) override {}
    void selectEffectStream(std::int32_t) override {}
    void addPointKey(std::int32_t, double, double) override { ++keys; }
    void addScalarKey(std::int32_t, double) override { ++keys; }
    std::int64_t keys = 0;
};

void modelOnly(benchmark::State& state) {
    std::int64_t keys = 0;
    for (auto _ : state) {
        auto model = chooseModel(trackedMotion(), 640, 480);
        model->setSource(trackedMotion());
        auto sink = std::make_unique<NullSink>();
        NullSink& counted = *sink;
        model->compute(std::move(sink));
        if (model->keyframeCount() > 0)
            while (model->emitNext()) {
            }
        keys = counted.keys;
    }
    state.counters["keyframes"] = static_cast<double>(keys);
    state.counters["keyframes/s"] =
        benchmark::Counter(static_cast<double>(keys), benchmark::Counter::kIsIterationInvariantRate);
}

void apply(benchmark::State& state, bool bulk) {
    Scene scene(bulk);
    std::size_t keys = 0;
    for (auto _ : state) {
        applyTransformations(trackedMotion(), scene.layer);
        state.PauseTiming();
        keys = 0;
        for (const auto& [which, stream] :
             scene.host.model().layer(simhost::fromHandle(scene.layer))->streams)
            keys += stream.keys.size();
        scene.forget();
        state.ResumeTiming();
    }
    state.counters["keyframes"] = static_cast<double>(keys);
    state.counters["keyframes/s"] =
        benchmark::Counter(static_cast<double>(keys), benchmark::Counter::kIsIterationInvariantRate);
}

// The driver's writing loop alone: the model is computed before the clock runs.
void write(benchmark::State& state, bool bulk) {
    Scene scene(bulk);
    std::int64_t keys = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scene.forget();
        auto model = chooseModel(trackedMotion(), 640, 480);
        model->setSource(trackedMotion());
        auto sink = std::make_unique<LayerKeyframeSink>(scene.layer, 25.0, 0, kFrames);
        LayerKeyframeSink& target = *sink;
        model->compute(std::move(sink));
        const auto total = static_cast<std::int32_t>(model->keyframeCount());
        state.ResumeTiming();
        ApplyProgressDialog dialog(scene.host.mainWindow(), total);
        bool more = total > 0 && model->emitNext();
        for (std::int32_t step = 1; more; ++step) {
            dialog.advance(step);
            more = model->emitNext();
        }
        dialog.close();
        target.finish();
        keys = total;
    }
    state.counters["keyframes"] = static_cast<double>(keys);
    state.counters["keyframes/s"] =
        benchmark::Counter(static_cast<double>(keys), benchmark::Counter::kIsIterationInvariantRate);
}

void writeBulk(benchmark::State& state) {
    write(state, true);
}

void writeSingle(benchmark::State& state) {
    write(state, false);
}

void applyBulk(benchmark::State& state) {
    apply(state, true);
}

void applySingle(benchmark::State& state) {
    apply(state, false);
}

BENCHMARK(modelOnly)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(applyBulk)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(applySingle)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(writeBulk)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(writeSingle)->Unit(benchmark::kMillisecond)->Repetitions(3);

// Keeps each benchmark's least time per iteration over its repetitions: on a shared machine the
// others' work only ever adds time.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.run_name.function_name;
            const double time = run.GetAdjustedRealTime();
            const auto known = times.find(name);
            if (known == times.end() || time < known->second) times[name] = time;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

void printRatio(const RatioReporter& reporter, const char* what, const char* ours, const char* base) {
    const auto a = reporter.times.find(ours);
    const auto b = reporter.times.find(base);
    if (a == reporter.times.end() || b == reporter.times.end() || b->second <= 0) return;
    std::printf("%s: %.2f x the model's own work\n", what, a->second / b->second);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("record: %d frames, RigidScale, tolerance %.2f px\n", kFrames,
                trackedMotion().exportInaccuracy);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatio(reporter, "apply with batches", "applyBulk", "modelOnly");
    printRatio(reporter, "apply one keyframe at a time", "applySingle", "modelOnly");
    printRatio(reporter, "writing alone, with batches", "writeBulk", "modelOnly");
    printRatio(reporter, "writing alone, one keyframe at a time", "writeSingle", "modelOnly");
    benchmark::Shutdown();
    return 0;
}
