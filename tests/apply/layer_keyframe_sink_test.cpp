#include "apply/layer_keyframe_sink.h"

#include <gtest/gtest.h>

#include "host/ae_exception.h"
#include "tests/apply/apply_fixture.h"

namespace {

class LayerKeyframeSinkTest : public ApplyTest {
protected:
    AEGP_LayerH layerH() const { return simhost::toHandle<AEGP_LayerH>(layer); }
    simhost::Layer& theLayer() { return *host.model().layer(layer); }
    const std::vector<simhost::Keyframe>& keysOf(AEGP_LayerStream which) {
        return theLayer().streams.at(which).keys;
    }
};

TEST_F(LayerKeyframeSinkTest, FrameRangeIsTheLayersSpanClippedToTheRecord) {
    // The composition frames where the layer shows: from the first frame at or after its in-point
    // to the last one before its out-point.
    const struct {
        A_Time offset, in, duration;
        double fps;
        std::int32_t first, count;
        std::int32_t firstFrame, endFrame;
    } cases[] = {
        {{0, 1}, {2, 1}, {3, 1}, 25, 40, 200, 50, 125},
        {{0, 1}, {0, 1}, {10, 1}, 25, 10, 20, 10, 30},
        {{0, 1}, {0, 1}, {10, 1}, 25, -5, 1000, 0, 250},
        {{0, 1}, {0, 1}, {2, 1}, 25, 100, 10, 100, 50},  // the record lies after the layer: nothing to write
        {{0, 1}, {0, 1}, {10000, 999}, 29.97, 0, 1000, 0, 301},  // 10.01001 s: frame 300 (10.01 s) shows
        {{0, 1}, {1001, 30000}, {299299, 30000}, 29.97, 0, 1000, 1, 300},
        // An overlay placed at 10 and trimmed to (5, 20) in a 24-frame composition: frames 15 to 23.
        {{10, 24}, {5, 24}, {15, 24}, 24, 0, 24, 15, 24},
        // Slid by 1.234 s at 29.97: 36.98 frames, so frame 37 is its first.
        {{1234, 1000}, {0, 1}, {10, 1}, 29.97, 0, 400, 37, 337},
        // Slid back before the composition's start.
        {{-1, 1}, {0, 1}, {3, 1}, 25, 0, 100, 0, 50},
    };
    for (const auto& c : cases) {
        theLayer().offset = c.offset;
        theLayer().inPoint = c.in;
        theLayer().duration = c.duration;
        LayerKeyframeSink sink(layerH(), c.fps, c.first, c.count);
        EXPECT_EQ(sink.firstFrame(), c.firstFrame) << c.first;
        EXPECT_EQ(sink.endFrame(), c.endFrame) << c.first;
        EXPECT_EQ(sink.width(), 320);
        EXPECT_EQ(sink.height(), 240);
    }
    expectNothingLeftOpen();
}

TEST_F(LayerKeyframeSinkTest, BulkModeCommitsEveryStreamInsideTheUndoGroup) {
    {
        LayerKeyframeSink sink(layerH(), 29.97, 0, 100);
        EXPECT_TRUE(sink.bulk());
        EXPECT_TRUE(host.model().undoGroups().empty());  // opened with the first change
        sink.selectLayerStream(LayerStream::Position);
        ASSERT_EQ(host.model().undoGroups().size(), 1u);
        EXPECT_EQ(host.model().undoGroups()[0].name, "Apply Transform to Layer");
        sink.addPointKey(0, 10, 20);
        sink.addPointKey(900, 30, 40);
        sink.selectLayerStream(LayerStream::Rotation);
        EXPECT_EQ(keysOf(AEGP_LayerStream_POSITION).size(), 2u);  // committed when the target changed
        sink.addScalarKey(5, 45);
        EXPECT_TRUE(keysOf(AEGP_LayerStream_ROTATION).empty());
        sink.finish();
    }
    const auto& position = keysOf(AEGP_LayerStream_POSITION);
    EXPECT_EQ(position[1].time.value, 900900);
    EXPECT_EQ(position[1].time.scale, 30000u);
    EXPECT_EQ(position[1].value, (std::vector<double>{30, 40}));
    EXPECT_EQ(keysOf(AEGP_LayerStream_ROTATION).at(0).value, (std::vector<double>{45}));
    const auto& changes = host.references().changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].undoGroup, 0);
    // The last batch too: one undo takes back every keyframe.
    EXPECT_EQ(changes[1].undoGroup, 0);
    expectNothingLeftOpen();
}

TEST_F(LayerKeyframeSinkTest, WithoutKeyframeSuiteTwoKeysAreInsertedOneByOneWithoutUndoGroup) {
    host.suites().withdraw(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion2);
    host.faults().clearCalls();
    {
        LayerKeyframeSink sink(layerH(), 25, 0, 100);
        EXPECT_FALSE(sink.bulk());
        sink.selectLayerStream(LayerStream::Scale);
        sink.addPointKey(3, 110, 110);
        sink.addPointKey(1, 90, 90);
        sink.finish();
    }
    const auto& scale = keysOf(AEGP_LayerStream_SCALE);
    ASSERT_EQ(scale.size(), 2u);
    EXPECT_EQ(scale[0].time.value, 1);
    EXPECT_EQ(scale[0].value, (std::vector<double>{90, 90}));
    EXPECT_TRUE(host.model().undoGroups().empty());
    EXPECT_EQ(host.faults().count("AEGP_InsertKeyframe"), 2);
    EXPECT_EQ(host.faults().count("AEGP_StartAddKeyframes"), 0);
    expectNothingLeftOpen();
}

TEST_F(LayerKeyframeSinkTest, EffectsAreAppliedByNameAndAMissingOneIsRefusedByTheHost) {
    host.model().setInstalledEffects({"Levels", "Transform"});
    {
        LayerKeyframeSink sink(layerH(), 25, 0, 100);
        sink.applyEffect("Transform");
        sink.selectEffectStream(8);
        sink.addScalarKey(0, 12);
        sink.applyEffect("Transform");  // every application adds an instance
        sink.selectEffectStream(2);
        sink.addPointKey(0, 1, 2);
        try {
            sink.applyEffect("Corner Pin");
            ADD_FAILURE();
        } catch (const AE_Exception& e) {
            EXPECT_STREQ(e.action(), "applying effect");
        }
        sink.finish();
    }
    const auto& effects = theLayer().effects;
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_EQ(host.model().effect(effects[0])->params.at(7).keys.at(0).value, (std::vector<double>{12}));
    EXPECT_EQ(host.model().effect(effects[1])->params.at(1).keys.size(), 1u);
    expectNothingLeftOpen();
}

// Each teardown call refused by the host: every other step is still taken, the first refusal is
// raised, and the undo group is closed whenever the host lets it.
TEST_F(LayerKeyframeSinkTest, TeardownTakesEveryStepAndRaisesTheFirstRefusal) {
    const struct {
        std::vector<const char*> refused;  // each refused once, in this order of codes -31, -32, ...
        const char* action;
        std::size_t heldBack;  // references the host kept because it refused their release
        int openGroups;
    } cases[] = {
        {{"AEGP_EndUndoGroup"}, "ending undo group", 0, 0},
        {{"AEGP_EndAddKeyframes"}, "ending bulk keyframe addition", 0, 0},
        {{"AEGP_DisposeStream"}, "disposing stream", 1, 0},
        {{"AEGP_DisposeEffect"}, "disposing effect", 1, 0},
        {{"AEGP_EndAddKeyframes", "AEGP_EndUndoGroup"}, "ending bulk keyframe addition", 0, 0},
        {{"AEGP_DisposeStream", "AEGP_DisposeEffect", "AEGP_EndUndoGroup"}, "disposing stream", 2, 0},
    };
    for (const auto& c : cases) {
        host.references().clear();
        host.model().undoGroups().clear();
        LayerKeyframeSink sink(layerH(), 25, 0, 100);
        sink.applyEffect("Corner Pin");
        sink.selectEffectStream(1);
        sink.addPointKey(0, 1, 1);
        A_Err code = -31;
        for (const char* operation : c.refused) host.faults().fail(operation, 1, code--);
        try {
            sink.finish();
            ADD_FAILURE() << c.action;
        } catch (const AE_Exception& e) {
            EXPECT_EQ(e.code(), -31) << c.action;
            EXPECT_STREQ(e.action(), c.action);
        }
        host.faults().clear();
        EXPECT_EQ(host.references().outstanding().size(), c.heldBack) << c.action;
        EXPECT_EQ(host.model().openUndoGroups(), c.openGroups) << c.action;
        EXPECT_TRUE(host.suites().outstanding().empty()) << c.action;
    }
    // A host that refuses twice keeps its group open; the refusal is reported all the same.
    host.model().undoGroups().clear();
    LayerKeyframeSink sink(layerH(), 25, 0, 100);
    sink.selectLayerStream(LayerStream::Position);
    host.faults().fail("AEGP_EndUndoGroup", 1, -41);
    host.faults().fail("AEGP_EndUndoGroup", 2, -42);
    EXPECT_THROW(sink.finish(), AE_Exception);
    EXPECT_EQ(host.model().openUndoGroups(), 1);
    EXPECT_TRUE(host.suites().outstanding().empty());

    // Destroyed without finish on an error's way out, refused once: the keys stay, in the closed group.
    host.model().undoGroups().clear();
    host.references().clear();
    host.faults().clear();
    host.faults().fail("AEGP_EndUndoGroup", 1, -51);
    {
        LayerKeyframeSink unfinished(layerH(), 25, 0, 100);
        unfinished.selectLayerStream(LayerStream::Position);
        unfinished.addPointKey(2, 5, 6);
    }
    EXPECT_EQ(keysOf(AEGP_LayerStream_POSITION).size(), 1u);
    EXPECT_EQ(host.references().changes().back().undoGroup, 0);
    expectNothingLeftOpen();
}

}  // namespace
