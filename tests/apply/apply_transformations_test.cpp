#include "apply/apply_transformations.h"

#include <gtest/gtest.h>

#include "apply/apply_fixture.h"
#include "apply/frame_rate.h"
#include "host/ae_exception.h"

namespace {

class ApplyTransformationsTest : public ApplyTest {
protected:
    void SetUp() override {
        ApplyTest::SetUp();
        // A composition the size of its source, so the layer's own transform starts as the identity.
        host.model().item(comp)->width = 320;
        host.model().item(comp)->height = 240;
        host.model().activeLayer = layer;
    }
    std::size_t keyCount() {
        std::size_t count = 0;
        for (const auto& [which, stream] : host.model().layer(layer)->streams) count += stream.keys.size();
        for (int id : host.model().layer(layer)->effects)
            for (const auto& param : host.model().effect(id)->params) count += param.keys.size();
        return count;
    }
    void expectNothingLeftOpen() {
        EXPECT_TRUE(host.suites().outstanding().empty());
        EXPECT_TRUE(host.references().outstanding().empty());
        EXPECT_EQ(host.model().openUndoGroups(), 0);
        EXPECT_EQ(host.windows().openProgressWindows(), 0);
        EXPECT_TRUE(host.windows().mainWindowEnabled());
    }
    static A_Time at25(std::int32_t frame) { return frameTime(frame, frameRateOf(25)); }
    static A_Time atNtsc(std::int32_t frame) { return frameTime(frame, frameRateOf(29.97)); }
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

TEST_F(ApplyTransformationsTest, EachModelReproducesTheTrackedCornersWithinItsTolerance) {
    const struct {
        ExportModel model;
        Motion motion;
    } cases[] = {
        {ExportModel::Translation, {0, 0, 0, 1.5, 0.3, 0}},
        {ExportModel::Rigid, {0.01, 0, 0, 1.5, 0.3, 0}},
        {ExportModel::RigidScale, {0.01, 0.004, 0, 1.5, 0.3, 0}},
        {ExportModel::Affine1, {0.01, 0.004, 0.003, 1.5, 0.3, 3e-4}},
        {ExportModel::Affine2, {0.01, 0.004, 0.003, 1.5, 0.3, 3e-4}},
        {ExportModel::Affine3, {0.01, 0.004, 0.003, 1.5, 0.3, 3e-4}},
        {ExportModel::CornerPin, {0.01, 0.004, 0.003, 1.5, 0.3, 3e-4}},
        {ExportModel::Auto, {0.01, 0.004, 0.003, 1.5, 0.3, 3e-4}},
    };
    const float tolerance = 0.5f;
    for (const auto& c : cases) {
        host.model().layer(layer)->streams.clear();
        host.model().layer(layer)->effects.clear();
        const Transformations record = makeRecord(0, 120, c.motion, tolerance, c.model);
        ASSERT_TRUE(applyTransformations(record));
        const std::size_t keys = keyCount();
        const double error = largestCornerError(record, 0, 120, at25);
        EXPECT_LE(error, tolerance + 1e-6) << static_cast<int>(c.model) << " with " << keys << " keys";
        EXPECT_LT(keys, 120u * 4) << static_cast<int>(c.model);  // thinned
        expectNothingLeftOpen();
    }
}

TEST_F(ApplyTransformationsTest, AnNtscCompositionKeysEachFrameAtItsOwnTime) {
    host.model().item(comp)->comp.fps = 29.97;
    host.model().layer(layer)->inPoint = {0, 1};
    host.model().layer(layer)->duration = {10000, 999};  // 300 frames
    const Transformations record = makeRecord(0, 400, {0, 0, 0, 1.5, 0.3}, 0, ExportModel::Translation);
    ASSERT_TRUE(applyTransformations(record));
    const auto& keys = host.model().layer(layer)->streams.at(AEGP_LayerStream_POSITION).keys;
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.front().time.value, 0);
    EXPECT_EQ(keys.back().time.value, 299 * 1001);  // the last frame of the layer, at 9.976 s
    EXPECT_EQ(keys.back().time.scale, 30000u);
    EXPECT_LE(largestCornerError(record, 0, 300, atNtsc), 1e-6);
    expectNothingLeftOpen();
}

TEST_F(ApplyTransformationsTest, RecordOutsideTheLayerWritesNothingAndStillSucceeds) {
    const Transformations record = makeRecord(400, 50, {}, 0.5f, ExportModel::RigidScale);
    EXPECT_TRUE(applyTransformations(record));
    EXPECT_EQ(keyCount(), 0u);
    expectNothingLeftOpen();
}

TEST_F(ApplyTransformationsTest, SingleInsertionWithoutKeyframeSuiteTwo) {
    host.suites().withdraw(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion2);
    const Transformations record =
        makeRecord(0, 60, {0.01, 0.004, 0, 1.5, 0.3}, 0.5f, ExportModel::RigidScale);
    ASSERT_TRUE(applyTransformations(record));
    EXPECT_GT(keyCount(), 0u);
    EXPECT_LE(largestCornerError(record, 0, 60, at25), 0.5 + 1e-6);
    EXPECT_TRUE(host.model().undoGroups().empty());
    EXPECT_EQ(host.faults().count("AEGP_StartAddKeyframes"), 0);
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
    const std::map<std::string, const char*> actions = {
        {"AEGP_GetActiveLayer", "getting active layer"},
        {"AEGP_GetLayerObjectType", "getting layer's object type"},
        {"AEGP_GetLayerParentComp", "getting layer's parent composition"},
        {"AEGP_GetCompFramerate", "getting composition's framerate"},
        {"AEGP_GetLayerSourceItem", "getting layer's source item"},
        {"AEGP_GetItemDimensions", "getting item's dimensions"},
        {"AEGP_GetLayerInPoint", "getting layer's in-point"},
        {"AEGP_GetLayerDuration", "getting layer's duration"},
        {"AEGP_StartUndoGroup", "starting undo group"},
        {"AEGP_EndUndoGroup", "ending undo group"},
        {"AEGP_GetMainHWND", "getting main HWND"},
        {"AEGP_GetNewLayerStream", "getting new layer's stream"},
        {"AEGP_GetNewEffectStreamByIndex", "getting new effect's stream by index"},
        {"AEGP_DisposeStream", "disposing stream"},
        {"AEGP_StartAddKeyframes", "starting bulk keyframe addition"},
        {"AEGP_AddKeyframes", "adding keyframe (bulk)"},
        {"AEGP_SetAddKeyframe", "setting keyframe value (bulk)"},
        {"AEGP_EndAddKeyframes", "ending bulk keyframe addition"},
        {"AEGP_InsertKeyframe", "inserting keyframe"},
        {"AEGP_SetKeyframeValue", "setting keyframe value"},
        {"AEGP_GetNumInstalledEffects", "getting number of installed effects"},
        {"AEGP_GetNextInstalledEffect", "getting next installed effect"},
        {"AEGP_GetEffectName", "getting effect name"},
        {"AEGP_ApplyEffect", "applying effect"},
        {"AEGP_DisposeEffect", "disposing effect"},
        {"AEGP_OpenProgress", "opening progress window"},
        {"AEGP_StepProgress", "updating progress window"},
        {"AEGP_CloseProgress", "closing progress window"},
    };
    // Affine3 keys the layer's own streams, then applies the Transform effect and keys its skew.
    const Transformations record = makeRecord(0, 4, {0.01, 0.004, 0.003, 1.5, 0.3}, 0, ExportModel::Affine3);
    for (const bool bulk : {true, false}) {
        if (!bulk) host.suites().withdraw(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion2);
        host.faults().clearCalls();
        ASSERT_TRUE(applyTransformations(record));
        const std::vector<std::string> calls = host.faults().calls();
        std::map<std::string, int> seen;
        for (std::size_t i = 0; i < calls.size(); ++i) {
            const std::string& operation = calls[i];
            const int k = ++seen[operation];
            const A_Err code = -100 - static_cast<A_Err>(i);
            std::string expected = actions.count(operation) ? actions.at(operation) : "";
            if (operation == "AEGP_EnableMainWindow")
                expected = k == 1 ? "disabling main window" : "enabling main window";
            host.faults().fail(operation, k, code);
            try {
                applyTransformations(record);
                ADD_FAILURE() << operation << " #" << k << " did not fail";
            } catch (const AE_Exception& e) {
                EXPECT_EQ(e.code(), code) << operation << " #" << k;
                EXPECT_EQ(e.action(), expected) << operation << " #" << k;
            }
            host.faults().clear();
            const bool release = operation == "AEGP_DisposeStream" || operation == "AEGP_DisposeEffect";
            EXPECT_EQ(host.references().outstanding().size(), release ? 1u : 0u) << operation << " #" << k;
            EXPECT_EQ(host.model().openUndoGroups(), 0) << operation << " #" << k;
            EXPECT_EQ(host.windows().openProgressWindows(), 0) << operation << " #" << k;
            EXPECT_EQ(host.windows().mainWindowEnabled(), !(operation == "AEGP_EnableMainWindow" && k == 2))
                << operation << " #" << k;
            EXPECT_TRUE(host.suites().outstanding().empty()) << operation << " #" << k;
            // What the host refused to release is let go before the next step.
            host.references().clear();
            for (auto& group : host.model().undoGroups()) group.open = false;
            host.windows().setMainWindowEnabled(true);
        }
        EXPECT_GT(calls.size(), 40u);
    }
}

}  // namespace
