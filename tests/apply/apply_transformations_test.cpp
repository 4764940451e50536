#include "apply/apply_transformations.h"

#include <gtest/gtest.h>

#include <iterator>

#include "apply/frame_rate.h"
#include "tests/apply/apply_fixture.h"
#include "tests/common/fault_walk.h"

namespace {

class ApplyTransformationsTest : public ApplyTest {
protected:
    ApplyTransformationsTest() { fitCompToSource(); }
};

TEST_F(ApplyTransformationsTest, NothingIsDoneWithoutAnAudioVideoLayer) {
    const Transformations record = makeRecord(0, 10, {}, 0.5f, ExportModel::Translation);
    const int camera = host.model().addLayer(comp, 0, AEGP_ObjectType_CAMERA);
    host.model().activeLayer = 0;
    EXPECT_FALSE(applyTransformations(record));
    host.model().activeLayer = camera;
    EXPECT_FALSE(applyTransformations(record));
    EXPECT_FALSE(applyTransformations(record, simhost::toHandle<AEGP_LayerH>(camera)));
    EXPECT_EQ(keyCount(), 0u);
    EXPECT_TRUE(host.model().undoGroups().empty());
    expectNothingLeftOpen();
}

// The last case without keyframe suite 2: keys inserted one by one.
TEST_F(ApplyTransformationsTest, EachModelReproducesTheTrackedCornersWithinItsTolerance) {
    const Motion affine = {0.01, 0.004, 0.003, 1.5, 0.3, 3e-4};
    const struct {
        ExportModel model;
        Motion motion;
    } cases[] = {
        {ExportModel::Translation, {0, 0, 0, 1.5, 0.3, 0}},
        {ExportModel::Rigid, {0.01, 0, 0, 1.5, 0.3, 0}},
        {ExportModel::RigidScale, {0.01, 0.004, 0, 1.5, 0.3, 0}},
        {ExportModel::Affine1, affine},
        {ExportModel::Affine2, affine},
        {ExportModel::Affine3, affine},
        {ExportModel::CornerPin, affine},
        {ExportModel::Auto, affine},
        {ExportModel::RigidScale, {0.01, 0.004, 0, 1.5, 0.3, 0}},
    };
    const float tolerance = 0.5f;
    for (const auto& c : cases) {
        const bool last = &c == &cases[std::size(cases) - 1];
        if (last) host.suites().withdraw(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion2);
        bareLayer();
        const Transformations record = makeRecord(0, 120, c.motion, tolerance, c.model);
        ASSERT_TRUE(applyTransformations(record));
        const std::size_t keys = keyCount();
        const double error = largestCornerError(record, 0, 120, frameRateOf(25));
        EXPECT_LE(error, tolerance + 1e-6) << static_cast<int>(c.model) << " with " << keys << " keys";
        EXPECT_GT(keys, 0u) << static_cast<int>(c.model);
        EXPECT_LT(keys, 120u * 4) << static_cast<int>(c.model);  // thinned
        expectNothingLeftOpen();
    }
    EXPECT_EQ(host.model().undoGroups().size(), std::size(cases) - 1);  // none without suite 2
}

// Keys on exactly the composition frames where a moved or trimmed layer shows, and the layer
// follows the tracked corners on each of them.
TEST_F(ApplyTransformationsTest, AMovedOrTrimmedLayerIsKeyedWhereItShows) {
    const struct {
        double fps;
        A_Time offset, in, duration;
        std::int32_t frames, shownFirst, shownEnd;
        float tolerance;
    } cases[] = {
        // An imported overlay: SourceOffset 10, Trimming (5, 20).
        {24, {10, 24}, {5, 24}, {15, 24}, 24, 15, 24, 0.5f},
        {29.97, {1234, 1000}, {0, 1}, {10, 1}, 400, 37, 337, 0.5f},  // slid by 1.234 s
        {25, {0, 1}, {0, 1}, {10, 1}, 100, 0, 100, 0.5f},            // at 0: as ever
        // NTSC: the last frame of the layer is at 9.976 s, and each frame keyed exactly.
        {29.97, {0, 1}, {0, 1}, {300300, 30000}, 400, 0, 300, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shownEnd);
        host.model().item(comp)->comp.fps = c.fps;
        simhost::Layer& moved = *host.model().layer(layer);
        moved.streams.clear();
        moved.offset = c.offset;
        moved.inPoint = c.in;
        moved.duration = c.duration;
        const Transformations record =
            makeRecord(0, c.frames, {0.01, 0.004, 0, 1.5, 0.3, 0}, c.tolerance, ExportModel::RigidScale);
        ASSERT_TRUE(applyTransformations(record));
        const FrameRate rate = frameRateOf(c.fps);
        for (const auto& [which, stream] : moved.streams) {
            ASSERT_FALSE(stream.keys.empty());
            // Keys are kept in layer time: composition time less the offset.
            const auto frameOf = [&](A_Time t) {
                return std::llround((static_cast<double>(t.value) / t.scale +
                                     static_cast<double>(c.offset.value) / c.offset.scale) *
                                    rate.num / rate.den);
            };
            EXPECT_EQ(frameOf(stream.keys.front().time), c.shownFirst) << stream.name;
            EXPECT_EQ(frameOf(stream.keys.back().time), c.shownEnd - 1) << stream.name;
            if (c.offset.value == 0) {  // at each frame's own time, on the rate's scale
                const A_Time last = frameTime(c.shownEnd - 1, rate);
                EXPECT_EQ(std::make_pair(stream.keys.back().time.value, stream.keys.back().time.scale),
                          std::make_pair(last.value, last.scale))
                    << stream.name;
            }
        }
        EXPECT_LE(largestCornerError(record, c.shownFirst, c.shownEnd, rate), c.tolerance + 1e-6);
        expectNothingLeftOpen();
    }
}

// A result with no frame where the layer shows writes nothing and, when asked to, says so.
TEST_F(ApplyTransformationsTest, NothingToApplyIsToldWhenAsked) {
    const struct {
        std::int32_t first, count;
        bool tell;
        const char* text;
    } cases[] = {
        {300, 10, true,
         "Nothing to apply: the tracking result covers frames 300 to 309 and the layer shows in composition "
         "frames 0 to 249."},
        {0, 0, true,
         "Nothing to apply: the tracking result has no frames, and the layer shows in composition frames 0 "
         "to 249."},
        {300, 10, false, nullptr},
    };
    for (const auto& c : cases) {
        host.reports().clear();
        const Transformations record = makeRecord(c.first, c.count, {}, 0.5f, ExportModel::Rigid);
        ASSERT_TRUE(applyTransformations(record, nullptr, ApplyOptions{c.tell}));
        EXPECT_EQ(host.reports(), c.text ? std::vector<std::string>{c.text} : std::vector<std::string>{});
    }
    EXPECT_EQ(keyCount(), 0u);
    EXPECT_TRUE(host.model().undoGroups().empty());
    EXPECT_TRUE(host.windows().progressWindows().empty());
    expectNothingLeftOpen();
}

TEST_F(ApplyTransformationsTest, AnErrorOfTheModelReachesTheCallerWithEverythingClosed) {
    Transformations record = makeRecord(0, 20, {}, 0.5f, ExportModel::Affine1);
    record.frames[5].xx = record.frames[5].xy = 0;  // singular
    EXPECT_THROW(applyTransformations(record), std::runtime_error);
    EXPECT_EQ(keyCount(), 0u);
    expectNothingLeftOpen();
}

// Every host call of an apply failed in turn: the error names the failing step and nothing is
// left open.
TEST_F(ApplyTransformationsTest, FaultWalkOverEveryHostCall) {
    // Affine3 keys the layer's own streams, then applies the Transform effect and keys its skew.
    const Transformations record = makeRecord(0, 4, {0.01, 0.004, 0.003, 1.5, 0.3}, 0, ExportModel::Affine3);
    // Each application starts on a bare layer, so that no question is asked.
    for (const bool bulk : {true, false}) {
        if (!bulk) host.suites().withdraw(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion2);
        bareLayer();
        host.faults().clearCalls();
        ASSERT_TRUE(applyTransformations(record));
        const std::vector<std::string> calls = host.faults().calls();
        A_Err code = -100;
        for (const testkit::FailurePoint& point : testkit::failurePoints(calls)) {
            SCOPED_TRACE(point.name());
            bareLayer();
            expectFailingApply(record, point, --code);
            const bool release =
                point.operation == "AEGP_DisposeStream" || point.operation == "AEGP_DisposeEffect";
            EXPECT_EQ(host.references().outstanding().size(), release ? 1u : 0u);
            EXPECT_EQ(host.model().openUndoGroups(), 0);
            EXPECT_EQ(host.windows().openProgressWindows(), 0);
            EXPECT_EQ(host.windows().mainWindowEnabled(), point.name() != "AEGP_EnableMainWindow #2");
            EXPECT_TRUE(host.suites().outstanding().empty());
            // What the host refused to release is let go before the next step.
            host.references().clear();
            for (auto& group : host.model().undoGroups()) group.open = false;
            host.windows().setMainWindowEnabled(true);
        }
        EXPECT_GT(calls.size(), 40u);
    }
}

}  // namespace
