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
#include "bench/bench_kit.h"
#include "host/host_context.h"
#include "plugin/plugin_state.h"
#include "sim/host/sim_host.h"
#include "tracking/model_choice.h"
#include "ui/apply_progress_dialog.h"

namespace {

const Transformations& trackedMotion() {
    static const Transformations record = benchkit::driftRecord();
    return record;
}

AEGP_PluginID g_plugin = 0;

A_Err AEGP_API recordPlugin(AEGP_ENTRY_PARAMETERS(, , , id, )) {
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
        const int comp = host.model().addComp("Comp", 640, 480, 25, {benchkit::kDriftFrames, 25},
                                              host.model().rootFolder());
        const int source = host.model().addComp("Plate", 640, 480, 25, {benchkit::kDriftFrames, 25},
                                                host.model().rootFolder());
        layer = simhost::toHandle<AEGP_LayerH>(host.model().addLayer(comp, source, AEGP_ObjectType_AV));
        if (!bulk) host.suites().withdraw(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion2);
    }
    ~Scene() { resetPluginState(); }
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
        endFrame_ = benchkit::kDriftFrames;
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
        auto sink = std::make_unique<LayerKeyframeSink>(scene.layer, 25.0, 0, benchkit::kDriftFrames);
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

void printRatio(const benchkit::LeastTimeReporter& reporter, const char* what, const char* ours,
                const char* base) {
    const double ratio = reporter.ratio(ours, base);
    if (ratio >= 0) std::printf("%s: %.2f x the model's own work\n", what, ratio);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("record: %d frames, RigidScale, tolerance %.2f px\n", benchkit::kDriftFrames,
                trackedMotion().exportInaccuracy);
    benchkit::LeastTimeReporter reporter(benchkit::LeastTimeReporter::Clock::Real);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatio(reporter, "apply with batches", "applyBulk", "modelOnly");
    printRatio(reporter, "apply one keyframe at a time", "applySingle", "modelOnly");
    printRatio(reporter, "writing alone, with batches", "writeBulk", "modelOnly");
    printRatio(reporter, "writing alone, one keyframe at a time", "writeSingle", "modelOnly");
    benchmark::Shutdown();
    return 0;
}
