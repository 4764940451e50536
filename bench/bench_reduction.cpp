// Keyframe thinning against the loop as written (the reference of the tests), on the shapes where
// the loop as written is slow, and the full export models that run it.
//
// Scenarios, all points at tolerance 0.5: (a) identical frames, (b) exactly linear motion,
// (c) smooth motion with 0.05 px noise, (d) linear motion with 1e-7 px noise. The reference is
// cubic on (a) and (b); it runs at smaller n there (see the Args of each pair). (e) and (f) are the
// scale and rotation sequences RigidScale thins on a slow 100,000-frame drift, where the reference
// takes seconds: it runs at 10,000 frames beside the fast one at 10,000 and 100,000. (g) runs every
// model on that drift.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "bench/bench_kit.h"
#include "tests/tracking/reduction_reference.h"
#include "tracking/keyframe_reduction.h"
#include "tracking/keyframe_sink.h"
#include "tracking/model_choice.h"

namespace {

constexpr float kTolerance = 0.5f;

PointKeys identicalFrames(std::size_t n) {
    return PointKeys(n, PointKey{360.25, 288.5, 0});
}

PointKeys exactLine(std::size_t n) {
    PointKeys keys(n);
    for (std::size_t i = 0; i < n; ++i) keys[i] = {100 + 1.5 * i, 50 - 0.75 * i, 0};
    return keys;
}

PointKeys roundedLine(std::size_t n) {
    PointKeys keys(n);
    for (std::size_t i = 0; i < n; ++i) keys[i] = {100 + 0.1 * i, 50 - 0.3 * i, 0};
    return keys;
}

PointKeys smoothNoisy(std::size_t n) {
    std::mt19937_64 rng(7);
    std::normal_distribution<double> noise(0, 0.05);
    PointKeys keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i);
        keys[i] = {360 + 200 * std::sin(t / 300) + 30 * std::sin(t / 47) + noise(rng),
                   288 + 150 * std::cos(t / 420) + 20 * std::sin(t / 61) + noise(rng), 0};
    }
    return keys;
}

PointKeys lineWithTinyNoise(std::size_t n) {
    std::mt19937_64 rng(9);
    std::normal_distribution<double> noise(0, 1e-7);
    PointKeys keys(n);
    for (std::size_t i = 0; i < n; ++i) keys[i] = {100 + 0.5 * i + noise(rng), 50 + 0.25 * i + noise(rng), 0};
    return keys;
}

template <PointKeys (*Make)(std::size_t), void (*Reduce)(PointKeys&, float)>
void run(benchmark::State& state) {
    PointKeys input = Make(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < input.size(); ++i) input[i].frame = static_cast<std::int32_t>(i);
    std::size_t kept = 0;
    for (auto _ : state) {
        PointKeys keys = input;
        Reduce(keys, kTolerance);
        kept = keys.size();
        benchmark::DoNotOptimize(keys.data());
    }
    state.counters["kept"] = static_cast<double>(kept);
}

void fast(PointKeys& keys, float tolerance) {
    reducePoints(keys, tolerance);
}
void slow(PointKeys& keys, float tolerance) {
    reference::reducePoints(keys, tolerance);
}

BENCHMARK(run<identicalFrames, fast>)->Name("a_identical/fast")->Arg(1000)->Arg(2000)->Arg(20000);
BENCHMARK(run<identicalFrames, slow>)
    ->Name("a_identical/reference")
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(run<exactLine, fast>)->Name("b_exact_line/fast")->Arg(1000)->Arg(2000)->Arg(20000);
BENCHMARK(run<exactLine, slow>)
    ->Name("b_exact_line/reference")
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(run<roundedLine, fast>)
    ->Name("b2_rounded_line/fast")
    ->Arg(2000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(run<roundedLine, slow>)
    ->Name("b2_rounded_line/reference")
    ->Arg(2000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(run<smoothNoisy, fast>)->Name("c_smooth_noisy/fast")->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(run<smoothNoisy, slow>)
    ->Name("c_smooth_noisy/reference")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(run<lineWithTinyNoise, fast>)
    ->Name("d_line_tiny_noise/fast")
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(run<lineWithTinyNoise, slow>)
    ->Name("d_line_tiny_noise/reference")
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

// The rotation and scale sequences of a slow drift with rotation and zoom, as RigidScale thins them
// for a 640 x 480 item at 0.1 px (the record of bench_apply): smooth, so that a span runs for
// hundreds of frames while the best step is short. The reference runs at 10,000 frames there.
constexpr double kApplyTolerance = 0.1;
constexpr double kApplyDiagonal = 800;

ScalarKeys driftScale(std::size_t n) {
    ScalarKeys keys(n);
    for (std::size_t i = 0; i < n; ++i) keys[i].value = 1 + 0.05 * std::sin(static_cast<double>(i) * 0.0003);
    return keys;
}

ScalarKeys driftAngle(std::size_t n) {
    ScalarKeys keys(n);
    for (std::size_t i = 0; i < n; ++i) keys[i].value = 0.2 * std::sin(static_cast<double>(i) * 0.001);
    return keys;
}

template <ScalarKeys (*Make)(std::size_t), float (*Tolerance)(), void (*Reduce)(ScalarKeys&, float)>
void runScalars(benchmark::State& state) {
    const float tolerance = Tolerance();
    ScalarKeys input = Make(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < input.size(); ++i) input[i].frame = static_cast<std::int32_t>(i);
    std::size_t kept = 0;
    for (auto _ : state) {
        ScalarKeys keys = input;
        Reduce(keys, tolerance);
        kept = keys.size();
        benchmark::DoNotOptimize(keys.data());
    }
    state.counters["kept"] = static_cast<double>(kept);
}

float scaleTolerance() {
    return static_cast<float>(1.0 / 3 * 2 / kApplyDiagonal * kApplyTolerance);
}
float angleTolerance() {
    return static_cast<float>(1.0 / 3 * std::sqrt(2.0) / kApplyDiagonal * kApplyTolerance);
}

void fastScalars(ScalarKeys& keys, float tolerance) {
    reduceScalars(keys, tolerance);
}
void slowScalars(ScalarKeys& keys, float tolerance) {
    reference::reduceScalars(keys, tolerance);
}
void fastAngles(ScalarKeys& keys, float tolerance) {
    reduceAngles(keys, tolerance);
}
void slowAngles(ScalarKeys& keys, float tolerance) {
    reference::reduceAngles(keys, tolerance);
}

BENCHMARK(runScalars<driftScale, scaleTolerance, fastScalars>)
    ->Name("e_drift_scale/fast")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(runScalars<driftScale, scaleTolerance, slowScalars>)
    ->Name("e_drift_scale/reference")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(runScalars<driftAngle, angleTolerance, fastAngles>)
    ->Name("f_drift_angle/fast")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(runScalars<driftAngle, angleTolerance, slowAngles>)
    ->Name("f_drift_angle/reference")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

// The motion of (c) as a tracking result: the same path with 0.05 px noise, plus a slow turn and
// zoom with matching noise, 100,000 frames.
Transformations smoothNoisyRecord() {
    const PointKeys path = smoothNoisy(100000);
    std::mt19937_64 rng(11);
    std::normal_distribution<double> noise(0, 1e-4);
    Transformations t;
    t.exportInaccuracy = kTolerance;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const double f = static_cast<double>(i);
        const double angle = 0.3 * std::sin(f / 500) + noise(rng);
        const double scale = 1 + 0.2 * std::sin(f / 800) + noise(rng);
        Transform m;
        m.xx = scale * std::cos(angle);
        m.xy = -scale * std::sin(angle);
        m.yx = scale * std::sin(angle);
        m.yy = scale * std::cos(angle);
        // Put the item's centre (360, 288) on the path.
        m.x = path[i].x - (m.xx * 360 + m.xy * 288);
        m.y = path[i].y - (m.yx * 360 + m.yy * 288);
        t.frames.push_back(m);
    }
    return t;
}

class CountingSink : public KeyframeSink {
public:
    CountingSink(std::int32_t width, std::int32_t height, std::int32_t frames, std::size_t& keys)
        : keys_(keys) {
        width_ = width;
        height_ = height;
        firstFrame_ = 0;
        endFrame_ = frames;
    }
    void selectLayerStream(LayerStream) override {}
    void applyEffect(const std::string&) override {}
    void selectEffectStream(std::int32_t) override {}
    void addPointKey(std::int32_t, double, double) override { ++keys_; }
    void addScalarKey(std::int32_t, double) override { ++keys_; }

private:
    std::size_t& keys_;
};

// The record and the item's size.
struct Scene {
    Transformations (*makeRecord)();
    std::int32_t width;
    std::int32_t height;
};

void fullModel(benchmark::State& state, Scene scene, ExportModel kind) {
    const Transformations record = scene.makeRecord();
    std::size_t keys = 0;
    for (auto _ : state) {
        keys = 0;
        std::unique_ptr<KeyframeModel> model = createModel(kind);
        model->setSource(record);
        model->compute(std::make_unique<CountingSink>(scene.width, scene.height,
                                                      static_cast<std::int32_t>(record.frames.size()), keys));
        while (model->emitNext()) {
        }
    }
    state.counters["kept"] = static_cast<double>(keys);
}

BENCHMARK_CAPTURE(fullModel, c_model_rigid_scale, (Scene{smoothNoisyRecord, 720, 576}),
                  ExportModel::RigidScale)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullModel, c_model_corner_pin, (Scene{smoothNoisyRecord, 720, 576}), ExportModel::CornerPin)
    ->Unit(benchmark::kMillisecond);

// The 100,000-frame record of bench_apply, every model on it.
Transformations driftRecord() {
    return benchkit::driftRecord();
}

BENCHMARK_CAPTURE(fullModel, g_drift_translation, (Scene{driftRecord, 640, 480}), ExportModel::Translation)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullModel, g_drift_rigid_scale, (Scene{driftRecord, 640, 480}), ExportModel::RigidScale)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullModel, g_drift_affine1, (Scene{driftRecord, 640, 480}), ExportModel::Affine1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullModel, g_drift_affine2, (Scene{driftRecord, 640, 480}), ExportModel::Affine2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullModel, g_drift_affine3, (Scene{driftRecord, 640, 480}), ExportModel::Affine3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullModel, g_drift_corner_pin, (Scene{driftRecord, 640, 480}), ExportModel::CornerPin)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
