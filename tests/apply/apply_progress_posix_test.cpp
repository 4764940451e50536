// The progress of an apply as the host's window services show it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "apply/apply_transformations.h"
#include "tests/apply/apply_fixture.h"
#include "ui/redraw_pace.h"

namespace {

class ApplyProgressTest : public ApplyTest {
protected:
    const simhost::ProgressRecord& progress() { return host.windows().progressWindows().rbegin()->second; }
    // 40 frames of noisy translation at tolerance 0: 40 keyframes.
    const Transformations forty = makeRecord(0, 40, {0, 0, 0, 1.5, 0.3}, 0, ExportModel::Translation);
};

TEST_F(ApplyProgressTest, TextCountsWrittenKeyframesAndEndsOneShortOfTheTotal) {
    ASSERT_TRUE(applyTransformations(forty));
    const auto& shown = progress();
    ASSERT_EQ(shown.total, 40);
    ASSERT_GE(shown.texts.size(), 2u);
    EXPECT_EQ(shown.texts.front(), "0 / 40");
    EXPECT_EQ(shown.texts.back(), "39 / 40");
    for (std::size_t i = 0; i < shown.texts.size(); ++i)
        EXPECT_EQ(shown.texts[i], std::to_string(shown.steps[i]) + " / 40");
    // The window handles the user's input at every keyframe after the first.
    EXPECT_EQ(shown.polls, 39);
    EXPECT_EQ(keyCount(), 40u);
    const auto& lines = host.windows().shown();
    EXPECT_EQ(lines.front(), "progress open id=1 title=\"Application of transforms to layer...\" total=40");
    EXPECT_EQ(lines.at(1), "main-window disabled");
    EXPECT_EQ(lines.at(2), "main-window enabled");
    EXPECT_EQ(lines.at(3),
              "progress close id=1 steps=" + std::to_string(shown.steps.size()) + " last=\"39 / 40\"");
}

// Thousands of keyframes are shown a few dozen times a second, in order, the last one always;
// a cancel among them still stops at the next keyframe, and the text then names that one.
TEST_F(ApplyProgressTest, LongRunsRedrawAtAPaceAndCancelAtTheNextKeyframe) {
    constexpr int kFrames = 3000;
    const int longComp =
        host.model().addComp("Long", 640, 480, 25.0, {kFrames, 25}, host.model().rootFolder());
    const int longSource =
        host.model().addComp("Plate", 320, 240, 25.0, {kFrames, 25}, host.model().rootFolder());
    layer = host.model().addLayer(longComp, longSource, AEGP_ObjectType_AV);
    host.model().activeLayer = layer;
    const Transformations record = makeRecord(0, kFrames, {0, 0, 0, 1.5, 0.3}, 0, ExportModel::Translation);
    for (const int cancelAt : {0, 2000}) {
        SCOPED_TRACE(cancelAt);
        bareLayer();
        if (cancelAt > 0) host.windows().queueAnswer({simhost::DialogAnswer::Kind::CancelAt, "", cancelAt});
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(applyTransformations(record));
        const auto elapsed = std::chrono::steady_clock::now() - start;
        const auto& shown = progress();
        const std::size_t written = cancelAt > 0 ? static_cast<std::size_t>(cancelAt) : kFrames;
        EXPECT_EQ(keyCount(), written);
        EXPECT_EQ(shown.polls, static_cast<int>(cancelAt > 0 ? written : written - 1));
        EXPECT_EQ(shown.texts.back(), std::to_string(cancelAt > 0 ? written : written - 1) + " / 3000");
        EXPECT_TRUE(std::is_sorted(shown.steps.begin(), shown.steps.end()));
        // The opening, one per interval begun, and the last step or the cancelled one.
        const auto intervals = static_cast<std::size_t>(elapsed / RedrawPace::kInterval);
        EXPECT_LE(shown.texts.size(), intervals + 3)
            << std::chrono::duration<double>(elapsed).count() << " s";
    }
}

// A cancel keeps what was written and says so, unless it came while the last keyframe was written.
TEST_F(ApplyProgressTest, CancelStopsAtItsStepAndKeepsWhatWasWritten) {
    const std::string interrupted =
        "message style=48 caption=\"Skelda\" text=\"Application of transforms to layer interrupted by "
        "user.\\n\"";
    for (const int cancelAt : {17, 40}) {
        SCOPED_TRACE(cancelAt);
        bareLayer();
        host.windows().queueAnswer({simhost::DialogAnswer::Kind::CancelAt, "", cancelAt});
        ASSERT_TRUE(applyTransformations(forty));
        EXPECT_EQ(progress().texts.back(), cancelAt == 40 ? "39 / 40" : "17 / 40");
        EXPECT_EQ(keyCount(), static_cast<std::size_t>(cancelAt));
        const auto& lines = host.windows().shown();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), interrupted), 1);  // the first run's alone
        EXPECT_TRUE(host.windows().mainWindowEnabled());
        EXPECT_EQ(host.model().openUndoGroups(), 0);
        EXPECT_TRUE(host.references().outstanding().empty());
    }
    // No keyframes to write shows no progress at all.
    const std::size_t windows = host.windows().progressWindows().size();
    ASSERT_TRUE(applyTransformations(makeRecord(1000, 10, {}, 0.5f, ExportModel::Translation)));
    EXPECT_EQ(host.windows().progressWindows().size(), windows);
}

}  // namespace
