// The progress of an apply as the host's window services show it.
#include <gtest/gtest.h>

#include <algorithm>

#include "apply/apply_fixture.h"
#include "apply/apply_transformations.h"

namespace {

class ApplyProgressTest : public ApplyTest {
protected:
    void SetUp() override {
        ApplyTest::SetUp();
        host.model().activeLayer = layer;
    }
    const simhost::ProgressRecord& progress() { return host.windows().progressWindows().rbegin()->second; }
    std::size_t positionKeys() {
        const auto& streams = host.model().layer(layer)->streams;
        return streams.count(AEGP_LayerStream_POSITION) ? streams.at(AEGP_LayerStream_POSITION).keys.size()
                                                        : 0;
    }
    // 40 frames of noisy translation at tolerance 0: 40 keyframes.
    const Transformations forty = makeRecord(0, 40, {0, 0, 0, 1.5, 0.3}, 0, ExportModel::Translation);
};

TEST_F(ApplyProgressTest, TextCountsWrittenKeyframesAndEndsOneShortOfTheTotal) {
    ASSERT_TRUE(applyTransformations(forty));
    const auto& shown = progress();
    ASSERT_EQ(shown.total, 40);
    ASSERT_EQ(shown.texts.size(), 40u);
    for (std::size_t i = 0; i < shown.texts.size(); ++i)
        EXPECT_EQ(shown.texts[i], std::to_string(i) + " / 40");
    EXPECT_EQ(positionKeys(), 40u);
    const auto& lines = host.windows().shown();
    EXPECT_EQ(lines.front(), "progress open id=1 title=\"Application of transforms to layer...\" total=40");
    EXPECT_EQ(lines.at(1), "main-window disabled");
    EXPECT_EQ(lines.at(2), "main-window enabled");
    EXPECT_EQ(lines.at(3), "progress close id=1 steps=40 last=\"39 / 40\"");
}

// A cancel keeps what was written and says so, unless it came while the last keyframe was written.
TEST_F(ApplyProgressTest, CancelStopsAtItsStepAndKeepsWhatWasWritten) {
    const std::string interrupted =
        "message style=48 caption=\"Skelda\" text=\"Application of transforms to layer interrupted by "
        "user.\\n\"";
    for (const int cancelAt : {17, 40}) {
        SCOPED_TRACE(cancelAt);
        host.model().layer(layer)->streams.clear();
        host.windows().queueAnswer({simhost::DialogAnswer::Kind::CancelAt, "", cancelAt});
        ASSERT_TRUE(applyTransformations(forty));
        EXPECT_EQ(progress().texts.back(), cancelAt == 40 ? "39 / 40" : "17 / 40");
        EXPECT_EQ(positionKeys(), static_cast<std::size_t>(cancelAt));
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
