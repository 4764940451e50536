#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <tuple>

#include "tests/tracking/model_fixtures.h"

// What the host shows: the emitted keys interpolated linearly, applied to the source item's
// corners, against where each frame's transform puts them. The weights promise that the corners
// stay within the tolerance e: Position takes weight * e, and Rotation and Scale are thinned so
// that their error moves a corner (at half the diagonal from the centre) by at most weight * e.
// For RigidScale the rotation's share grows with the scale s, so its bound is e * (2 + s) / 3.
namespace {

using testkit::similarity;

struct Motion {
    const char* name;
    ExportModel kind;
    Task task;
    bool turns;
    double scaleSwing;  // 0: no scale
    bool cornerPin;
};

// Smooth motion with jitter: translation along a curve, a slow turn, a breathing scale, and for
// the corner pin some shear as well.
Transformations motion(const Motion& m, std::mt19937_64& rng, float tolerance) {
    std::normal_distribution<double> jitter(0, 0.05);
    Transformations t;
    t.exportInaccuracy = tolerance;
    t.task = m.task;
    t.first = 3;
    t.initial = similarity(1, m.turns ? 0.02 : 0, 5, -3);
    for (int i = 0; i < 400; ++i) {
        const double f = i;
        const double scale =
            1 + m.scaleSwing * std::sin(f / 53) + (m.scaleSwing > 0 ? jitter(rng) * 1e-3 : 0);
        const double angle = m.turns ? 0.6 * std::sin(f / 90) + jitter(rng) * 1e-3 : 0;
        Transform frame = similarity(scale, angle, 30 * std::sin(f / 40) + jitter(rng),
                                     20 * std::cos(f / 70) + jitter(rng));
        if (m.cornerPin) {
            frame.xy += 0.1 * std::sin(f / 30);
            frame.yx += 0.05 * std::cos(f / 45);
        }
        t.frames.push_back(frame);
    }
    return t;
}

void expectCornersWithinTolerance(const Motion& c) {
    std::mt19937_64 rng(77);
    const int sizes[][2] = {{720, 576}, {1920, 1080}, {64, 480}};
    for (const float e : {0.5f, 2.0f, 0.05f}) {
        for (const auto& size : sizes) {
            const Transformations record = motion(c, rng, e);
            const double w = size[0];
            const double h = size[1];
            const testkit::ModelRun run(c.kind, record, size[0], size[1], 3, 403, true);
            const auto tracks = run.tracks();
            const double u[4] = {0, w, 0, w};
            const double v[4] = {0, 0, h, h};

            double worst = 0;
            double largestScale = 0;
            for (std::int32_t f = 3; f < 403; ++f) {
                const Transform& frame = record.frames[static_cast<std::size_t>(f - 3)];
                const Transform m =
                    record.task == Task::Compensation ? inverse(frame) : compose(frame, record.initial);
                largestScale = std::max(largestScale, std::hypot(m.xx, m.yx));
                for (int i = 0; i < 4; ++i) {
                    double x;
                    double y;
                    m.apply(u[i], v[i], x, y);
                    double hx;
                    double hy;
                    if (c.cornerPin) {
                        std::tie(hx, hy) = tracks[static_cast<std::size_t>(i)].at(f);
                    } else {
                        const auto position = testkit::findTrack(tracks, "layer 1")->at(f);
                        const testkit::Track* scaleTrack = testkit::findTrack(tracks, "layer 2");
                        const testkit::Track* rotationTrack = testkit::findTrack(tracks, "layer 3");
                        const double s = scaleTrack ? scaleTrack->at(f).first / 100 : 1;
                        const double angle =
                            rotationTrack ? rotationTrack->at(f).first * 3.141592653589793 / 180 : 0;
                        const double du = u[i] - w / 2;
                        const double dv = v[i] - h / 2;
                        hx = position.first + s * (std::cos(angle) * du - std::sin(angle) * dv);
                        hy = position.second + s * (std::sin(angle) * du + std::cos(angle) * dv);
                    }
                    worst = std::max(worst, std::hypot(hx - x, hy - y));
                }
            }
            const double promised = c.kind == ExportModel::RigidScale ? e * (2 + largestScale) / 3 : e;
            EXPECT_LE(worst, promised * (1 + 1e-6)) << "e = " << e << ", " << w << " x " << h;
            // And the thinning did thin.
            EXPECT_LT(run.model->keyframeCount(), tracks.size() * 400)
                << "e = " << e << ", " << w << " x " << h;
        }
    }
}

TEST(ModelAccuracy, CornersStayWithinTheTolerance) {
    const Motion cases[] = {
        {"TranslationTracking", ExportModel::Translation, Task::Tracking, false, 0, false},
        {"RigidTracking", ExportModel::Rigid, Task::Tracking, true, 0, false},
        {"RigidCompensation", ExportModel::Rigid, Task::Compensation, true, 0, false},
        {"RigidScaleTracking", ExportModel::RigidScale, Task::Tracking, true, 0.4, false},
        {"RigidScaleCompensation", ExportModel::RigidScale, Task::Compensation, true, 0.4, false},
        {"CornerPinTracking", ExportModel::CornerPin, Task::Tracking, true, 0.3, true},
        {"CornerPinCompensation", ExportModel::CornerPin, Task::Compensation, true, 0.3, true}};
    for (const Motion& c : cases) {
        SCOPED_TRACE(c.name);
        expectCornersWithinTolerance(c);
    }
}

}  // namespace
