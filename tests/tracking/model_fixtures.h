#pragma once

// Records and runs for export model tests.

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "tests/tracking/recording_sink.h"
#include "tracking/model_choice.h"
#include "tracking/transformations.h"

namespace testkit {

inline Transform makeTransform(double x, double y, double xx = 1, double xy = 0, double yx = 0,
                               double yy = 1) {
    Transform t;
    t.x = x;
    t.y = y;
    t.xx = xx;
    t.xy = xy;
    t.yx = yx;
    t.yy = yy;
    return t;
}

// Scale s and rotation `angle` (radians) about the origin, then a shift.
inline Transform similarity(double s, double angle, double x, double y) {
    return makeTransform(x, y, s * std::cos(angle), -s * std::sin(angle), s * std::sin(angle),
                         s * std::cos(angle));
}

// A wandering affine motion: every parameter a slow sine, so that thinning keeps some keys.
inline Transformations wanderingRecord(std::size_t frames, std::int32_t first, float tolerance) {
    Transformations t;
    t.first = first;
    t.exportInaccuracy = tolerance;
    for (std::size_t i = 0; i < frames; ++i) {
        const double f = static_cast<double>(i);
        t.frames.push_back(makeTransform(40 * std::sin(f / 7), 25 * std::cos(f / 9),
                                         1 + 0.2 * std::sin(f / 11), 0.15 * std::sin(f / 8),
                                         0.1 * std::cos(f / 13), 0.9 + 0.1 * std::cos(f / 10)));
    }
    return t;
}

// A model of the given kind, computed on the record over the frames [first, end) of a
// width x height item, with its sink's log.
struct ModelRun {
    std::unique_ptr<KeyframeModel> model;
    std::shared_ptr<SinkLog> log = std::make_shared<SinkLog>();

    ModelRun(ExportModel kind, const Transformations& record, std::int32_t width, std::int32_t height,
             std::int32_t first, std::int32_t end)
        : model(createModel(kind)) {
        model->setSource(record);
        model->compute(std::make_unique<RecordingSink>(log, width, height, first, end));
    }

    std::size_t keysWritten() const {
        std::size_t n = 0;
        for (const SinkCall& c : log->calls) n += c.isKey() ? 1 : 0;
        return n;
    }
};

}  // namespace testkit
