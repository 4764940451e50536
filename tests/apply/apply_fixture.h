#pragma once

#include <cmath>
#include <random>

#include "apply/apply_transformations.h"
#include "apply/frame_rate.h"
#include "host/ae_exception.h"
#include "sim/host/layer_evaluation.h"
#include "tests/common/fault_walk.h"
#include "tests/common/host_call_actions.h"
#include "tests/sim/host/sim_layer_fixture.h"
#include "tracking/transformations.h"

// The simulated host's layer, with helpers to build tracking results of known motion and to
// compare the layer's rendered corners with the tracked ones.
class ApplyTest : public SimLayerTest {
protected:
    ApplyTest() { host.model().activeLayer = layer; }

    void bareLayer() {
        host.model().layer(layer)->streams.clear();
        host.model().layer(layer)->effects.clear();
    }
    // Keyframes on the layer's own streams and its effects'.
    std::size_t keyCount() {
        std::size_t count = 0;
        for (const auto& [which, stream] : host.model().layer(layer)->streams) count += stream.keys.size();
        for (int id : host.model().layer(layer)->effects)
            for (const auto& param : host.model().effect(id)->params) count += param.keys.size();
        return count;
    }
    // Applies `record` with the host call at `point` failing with `code`: the error carries the
    // code and names the call.
    void expectFailingApply(const Transformations& record, const testkit::FailurePoint& point, A_Err code) {
        host.faults().fail(point.operation, point.k, code);
        try {
            applyTransformations(record);
            ADD_FAILURE() << "did not fail";
        } catch (const AE_Exception& e) {
            EXPECT_EQ(e.code(), code);
            EXPECT_EQ(e.action(), testkit::hostCallAction(point.operation, point.k));
        }
        host.faults().clear();
    }
    void expectNothingLeftOpen() {
        EXPECT_TRUE(host.suites().outstanding().empty());
        EXPECT_TRUE(host.references().outstanding().empty());
        EXPECT_EQ(host.model().openUndoGroups(), 0);
        EXPECT_EQ(host.windows().openProgressWindows(), 0);
        EXPECT_TRUE(host.windows().mainWindowEnabled());
    }

    struct Motion {
        double rotation = 0;     // radians per frame
        double scale = 0;        // relative change per frame
        double shear = 0;        // per frame
        double shift = 1.5;      // pixels per frame
        double noise = 0;        // pixels of noise on the translation
        double linearNoise = 0;  // noise on each diagonal entry of the linear part
    };

    // A tracking result of `count` frames from `first` with that motion about the source's centre.
    static Transformations makeRecord(std::int32_t first, int count, const Motion& motion, float inaccuracy,
                                      ExportModel model, unsigned seed = 1) {
        std::mt19937 random(seed);
        std::normal_distribution<double> noise(0.0, 1.0);
        Transformations record;
        record.first = first;
        record.exportInaccuracy = inaccuracy;
        record.exportModel = model;
        for (int i = 0; i < count; ++i) {
            const double a = motion.rotation * i;
            const double s = 1 + motion.scale * i;
            const double k = motion.shear * i;
            Transform t;
            t.xx = s * std::cos(a) + motion.linearNoise * noise(random);
            t.xy = -s * std::sin(a) + k;
            t.yx = s * std::sin(a);
            t.yy = s * std::cos(a) + motion.linearNoise * noise(random);
            // Keeps the source's centre (160, 120) moving along a line.
            t.x = 160 - (t.xx * 160 + t.xy * 120) + motion.shift * i + motion.noise * noise(random);
            t.y = 120 - (t.yx * 160 + t.yy * 120) - 0.5 * motion.shift * i + motion.noise * noise(random);
            record.frames.push_back(t);
        }
        return record;
    }

    // The largest distance, over the frames in [from, to) and the source's four corners, between
    // where the layer shows a corner at that frame's time at `rate` and where the record tracked it.
    double largestCornerError(const Transformations& record, std::int32_t from, std::int32_t to,
                              const FrameRate& rate) {
        double worst = 0;
        const Item* item = host.model().item(source);
        const double w = item->width, h = item->height;
        for (std::int32_t f = from; f < to; ++f) {
            const Transform& m = record.frames[static_cast<std::size_t>(f - record.first)];
            for (auto [u, v] : {std::pair{0.0, 0.0}, {w, 0.0}, {0.0, h}, {w, h}}) {
                double x = 0, y = 0;
                m.apply(u, v, x, y);
                const simhost::Point2 p =
                    simhost::evaluateLayerPoint(host.model(), layer, frameTime(f, rate), {u, v});
                worst = std::max(worst, std::hypot(p.x - x, p.y - y));
            }
        }
        return worst;
    }

    using Item = simhost::Item;
};
