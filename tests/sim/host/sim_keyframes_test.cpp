// The simulated host's stream, keyframe and effect suites, where the apply tests do not reach:
// interpolation, times relative to the layer, and what the host refuses.
#include <gtest/gtest.h>

#include "host/suite_scope.h"
#include "sim/host/animated_streams.h"
#include "sim/host/effect_application.h"
#include "sim/host/host_time.h"
#include "sim/host/layer_evaluation.h"
#include "tests/sim/host/sim_layer_fixture.h"

namespace {

using simhost::toHandle;

class SimKeyframesTest : public SimLayerTest {
protected:
    // The suites below are the fixture's, held until its end.
    SimKeyframesTest() { suitesReleasedAtEnd = false; }
    AEGP_LayerH layerH() const { return toHandle<AEGP_LayerH>(layer); }
    AEGP_StreamRefH layerStream(AEGP_LayerStream which) {
        AEGP_StreamRefH stream = nullptr;
        EXPECT_EQ(streams->AEGP_GetNewLayerStream(hostContext().pluginId, layerH(), which, &stream),
                  A_Err_NONE);
        return stream;
    }
    static AEGP_StreamValue point(AEGP_StreamRefH stream, double x, double y) {
        AEGP_StreamValue value{};
        value.streamH = stream;
        value.val.two_d = {x, y};
        return value;
    }
    simhost::Stream& positionStream() {
        return host.model().layer(layer)->streams.at(AEGP_LayerStream_POSITION);
    }

    SuiteScope<AEGP_StreamSuite1> streams{host.basicSuite()};
    SuiteScope<AEGP_KeyframeSuite2> keys{host.basicSuite()};
    SuiteScope<AEGP_EffectSuite1> effects{host.basicSuite()};
};

TEST_F(SimKeyframesTest, SingleKeyframesAreKeptInTimeOrderAndInterpolatedLinearly) {
    const AEGP_StreamRefH position = layerStream(AEGP_LayerStream_POSITION);
    const A_Time times[] = {{50, 25}, {0, 25}, {1, 1}};  // 2 s, 0 s, then 1 s on another scale
    const double xs[] = {200, 100, 150};
    for (int i = 0; i < 3; ++i) {
        AEGP_KeyframeIndex index = -1;
        ASSERT_EQ(keys->AEGP_InsertKeyframe(position, AEGP_LTimeMode_CompTime, &times[i], &index),
                  A_Err_NONE);
        const AEGP_StreamValue value = point(position, xs[i], 10 * i);
        ASSERT_EQ(keys->AEGP_SetKeyframeValue(position, index, &value), A_Err_NONE);
    }
    const auto& stored = positionStream().keys;
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].time.value, 0);
    EXPECT_EQ(stored[1].time.scale, 1u);
    EXPECT_EQ(stored[2].value, (std::vector<double>{200, 0}));
    // Half-way between 1 s (150, 20) and 2 s (200, 0), held after the last key.
    const simhost::StreamTarget target{layer, 0, AEGP_LayerStream_POSITION};
    EXPECT_EQ(simhost::valueAt(host.model(), target, {3, 2}), (std::vector<double>{175, 10}));
    EXPECT_EQ(simhost::valueAt(host.model(), target, {9, 1}), (std::vector<double>{200, 0}));
    // A key at an existing time replaces nothing and answers that key's index.
    AEGP_KeyframeIndex again = -1;
    ASSERT_EQ(keys->AEGP_InsertKeyframe(position, AEGP_LTimeMode_CompTime, &times[2], &again), A_Err_NONE);
    EXPECT_EQ(again, 1);
    EXPECT_EQ(stored.size(), 3u);
    // Composition times are taken relative to the layer's start: composition 3 s is layer 2 s.
    host.model().layer(layer)->offset = {1, 1};
    const A_Time at{75, 25};
    ASSERT_EQ(keys->AEGP_InsertKeyframe(position, AEGP_LTimeMode_CompTime, &at, &again), A_Err_NONE);
    EXPECT_EQ(again, 2);
    ASSERT_EQ(keys->AEGP_InsertKeyframe(position, AEGP_LTimeMode_LayerTime, &at, &again), A_Err_NONE);
    EXPECT_EQ(simhost::compareTimes(stored[3].time, {3, 1}), 0);
    EXPECT_EQ(streams->AEGP_DisposeStream(position), A_Err_NONE);
    EXPECT_TRUE(host.references().outstanding().empty());
}

TEST_F(SimKeyframesTest, RefusesWhatARealHostWouldRefuse) {
    const AEGP_StreamRefH position = layerStream(AEGP_LayerStream_POSITION);
    const AEGP_StreamRefH rotation = layerStream(AEGP_LayerStream_ROTATION);
    const A_Time time{0, 25};
    const A_Time noScale{0, 0};
    AEGP_KeyframeIndex index = -1;
    EXPECT_NE(keys->AEGP_InsertKeyframe(position, AEGP_LTimeMode_CompTime, &noScale, &index), A_Err_NONE);
    ASSERT_EQ(keys->AEGP_InsertKeyframe(position, AEGP_LTimeMode_CompTime, &time, &index), A_Err_NONE);
    // A value that names another stream, and an index past the end.
    const AEGP_StreamValue foreign = point(rotation, 1, 1);
    EXPECT_NE(keys->AEGP_SetKeyframeValue(position, index, &foreign), A_Err_NONE);
    const AEGP_StreamValue own = point(position, 1, 1);
    EXPECT_NE(keys->AEGP_SetKeyframeValue(position, index + 1, &own), A_Err_NONE);
    // A batch whose stream reference is gone can only be dropped.
    AEGP_AddKeyframesInfoH batch = nullptr;
    ASSERT_EQ(keys->AEGP_StartAddKeyframes(rotation, &batch), A_Err_NONE);
    ASSERT_EQ(streams->AEGP_DisposeStream(rotation), A_Err_NONE);
    A_long added = -1;
    EXPECT_NE(keys->AEGP_AddKeyframes(batch, AEGP_LTimeMode_CompTime, &time, &added), A_Err_NONE);
    EXPECT_NE(keys->AEGP_EndAddKeyframes(1, batch), A_Err_NONE);
    EXPECT_NE(streams->AEGP_DisposeStream(rotation), A_Err_NONE);
    // An unknown layer stream, or a plug-in the host never entered.
    AEGP_StreamRefH none = nullptr;
    EXPECT_NE(streams->AEGP_GetNewLayerStream(hostContext().pluginId, layerH(), 9, &none), A_Err_NONE);
    EXPECT_NE(streams->AEGP_GetNewLayerStream(999, layerH(), AEGP_LayerStream_POSITION, &none), A_Err_NONE);
    streams->AEGP_DisposeStream(position);
    EXPECT_TRUE(host.references().outstanding().empty());
}

TEST_F(SimKeyframesTest, EffectsAreAppliedByInstalledKeyWithTheirParameters) {
    const auto& installed = host.model().installedEffects();
    struct Case {
        AEGP_InstalledEffectKey key;
        std::size_t params;  // 0 with `refused`
        bool refused;
    };
    const Case cases[] = {
        {0, 0, true},
        {12345, 0, true},
        {installed.at(1).key, 9, false},  // "Transform"
        {installed.at(2).key, 4, false},  // "Corner Pin"
    };
    for (const Case& c : cases) {
        AEGP_EffectRefH effect = nullptr;
        const A_Err result = effects->AEGP_ApplyEffect(hostContext().pluginId, layerH(), c.key, &effect);
        EXPECT_EQ(result != A_Err_NONE, c.refused) << c.key;
        if (c.refused) continue;
        const simhost::Effect* applied = host.model().effect(host.model().layer(layer)->effects.back());
        ASSERT_NE(applied, nullptr);
        EXPECT_EQ(applied->params.size(), c.params);
        AEGP_StreamRefH param = nullptr;
        EXPECT_EQ(streams->AEGP_GetNewEffectStreamByIndex(hostContext().pluginId, effect, 1, &param),
                  A_Err_NONE);
        EXPECT_EQ(streams->AEGP_DisposeStream(param), A_Err_NONE);
        EXPECT_NE(streams->AEGP_GetNewEffectStreamByIndex(hostContext().pluginId, effect,
                                                          static_cast<A_long>(c.params) + 1, &param),
                  A_Err_NONE);
        EXPECT_EQ(effects->AEGP_DisposeEffect(effect), A_Err_NONE);
        EXPECT_NE(effects->AEGP_DisposeEffect(effect), A_Err_NONE);
    }
    EXPECT_EQ(host.model().layer(layer)->effects.size(), 2u);
    EXPECT_TRUE(host.references().outstanding().empty());
}

}  // namespace
