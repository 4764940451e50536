#pragma once

// What the benchmark programs share: the 100,000-frame drift that applying and thinning are measured
// on, and a reporter keeping each benchmark's least time for the ratios printed at the end.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tracking/transformations.h"

namespace benchkit {

constexpr int kDriftFrames = 100000;

// A slow drift with rotation and zoom and 0.3 px noise on the position, RigidScale at 0.1 px: at this
// tolerance most frames stay keyed.
inline Transformations driftRecord() {
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0, 0.3);
    Transformations t;
    t.exportInaccuracy = 0.1f;
    t.exportModel = ExportModel::RigidScale;
    t.frames.resize(kDriftFrames);
    for (int i = 0; i < kDriftFrames; ++i) {
        const double angle = 0.2 * std::sin(i * 0.001);
        const double scale = 1 + 0.05 * std::sin(i * 0.0003);
        Transform& f = t.frames[static_cast<std::size_t>(i)];
        f.xx = scale * std::cos(angle);
        f.xy = -scale * std::sin(angle);
        f.yx = scale * std::sin(angle);
        f.yy = scale * std::cos(angle);
        f.x = 0.37 * i + noise(rng);
        f.y = -0.21 * i + 40 * std::sin(i * 0.01) + noise(rng);
    }
    return t;
}

// Keeps each benchmark's least time per iteration over its repetitions: on a shared machine the
// others' work only ever adds time.
class LeastTimeReporter : public benchmark::ConsoleReporter {
public:
    enum class Clock { Real, Processor };
    explicit LeastTimeReporter(Clock clock) : clock_(clock) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.run_name.function_name;
            const double time = clock_ == Clock::Real ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            const auto known = times_.find(name);
            if (known == times_.end() || time < known->second) times_[name] = time;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The least time per iteration in the benchmark's unit; negative when it did not run.
    double least(const std::string& name) const {
        const auto known = times_.find(name);
        return known == times_.end() ? -1 : known->second;
    }

    // ours / base by least time; negative when either did not run (filtered out, say).
    double ratio(const std::string& ours, const std::string& base) const {
        const auto a = times_.find(ours);
        const auto b = times_.find(base);
        if (a == times_.end() || b == times_.end() || b->second <= 0) return -1;
        return a->second / b->second;
    }

private:
    Clock clock_;
    std::map<std::string, double> times_;
};

}  // namespace benchkit
