// The simulated host renders a layer's animated transform as the export models expect it to.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "sim/host/animated_streams.h"
#include "sim/host/layer_evaluation.h"
#include "tests/sim/host/sim_layer_fixture.h"

namespace {

using simhost::Point2;
using simhost::StreamTarget;

constexpr double kDegrees = 57.29577951308232;

struct Affine {
    double xx, xy, yx, yy, x, y;
    Point2 apply(Point2 p) const { return {xx * p.x + xy * p.y + x, yx * p.x + yy * p.y + y}; }
};

class SimEvaluationTest : public SimLayerTest {
protected:
    SimEvaluationTest() { fitCompToSource(); }
    void key(int effect, int index, A_Time time, std::vector<double> value) {
        const StreamTarget target{layer, effect, index};
        simhost::Stream* stream = simhost::streamOf(host.model(), target, true);
        ASSERT_NE(stream, nullptr);
        const int at = simhost::insertKeyframe(*stream, time, value);
        stream->keys[static_cast<std::size_t>(at)].value = value;
    }
    int applyEffect(const char* name) {
        for (const auto& installed : host.model().installedEffects()) {
            if (installed.name != name) continue;
            const int id = host.model().addEffect(layer, installed);
            for (const auto& shape : simhost::effectParameterShapes(name)) {
                simhost::Stream param;
                param.id = host.model().nextId();
                param.name = shape.name;
                param.dimensions = shape.dimensions;
                host.model().effect(id)->params.push_back(param);
            }
            return id;
        }
        return 0;
    }
    void expectCorners(const Affine& m, A_Time time) {
        for (Point2 corner :
             {Point2{0, 0}, Point2{320, 0}, Point2{0, 240}, Point2{320, 240}, Point2{100, 70}}) {
            const Point2 want = m.apply(corner);
            const Point2 got = simhost::evaluateLayerPoint(host.model(), layer, time, corner);
            EXPECT_NEAR(got.x, want.x, 1e-9) << corner.x << ',' << corner.y;
            EXPECT_NEAR(got.y, want.y, 1e-9) << corner.x << ',' << corner.y;
        }
    }
    static std::vector<Affine> randomAffines() {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> diagonal(0.6, 1.4), off(-0.4, 0.4), shift(-50, 50);
        std::vector<Affine> result;
        for (int i = 0; i < 20; ++i)
            result.push_back(
                {diagonal(random), off(random), off(random), diagonal(random), shift(random), shift(random)});
        return result;
    }
    const Point2 centre{160, 120};
};

TEST_F(SimEvaluationTest, LayerPositionScaleAndRotationAboutTheSourceCentre) {
    const double theta = 0.3, s = 1.25;
    const Affine m{
        s * std::cos(theta), -s * std::sin(theta), s * std::sin(theta), s * std::cos(theta), 12, -7};
    const Point2 c = m.apply(centre);
    key(0, AEGP_LayerStream_POSITION, {0, 25}, {c.x, c.y});
    key(0, AEGP_LayerStream_SCALE, {0, 25}, {100 * s, 100 * s});
    key(0, AEGP_LayerStream_ROTATION, {0, 25}, {theta * kDegrees});
    expectCorners(m, {0, 25});
    // Half-way to a second set of keys, every property is half-way.
    key(0, AEGP_LayerStream_POSITION, {2, 25}, {c.x + 10, c.y});
    key(0, AEGP_LayerStream_SCALE, {2, 25}, {100 * s, 100 * s});
    key(0, AEGP_LayerStream_ROTATION, {2, 25}, {theta * kDegrees});
    Affine shifted = m;
    shifted.x += 5;
    expectCorners(shifted, {1, 25});
}

TEST_F(SimEvaluationTest, TransformEffectCarriesTheDecompositionOfEachAffineModel) {
    namespace te = simhost::transform_effect;
    for (const Affine& m : randomAffines()) {
        host.model().layer(layer)->effects.clear();
        const int effect = applyEffect("Transform");
        const Point2 p = m.apply(centre);
        key(effect, te::Position, {0, 1}, {p.x, p.y});
        const double det = m.xx * m.yy - m.xy * m.yx;
        // Separate scales, skew along the axis -rotation.
        const double k = (m.xx * m.xy + m.yx * m.yy) / det;
        const double theta = std::atan2(-m.xy, m.yy);
        key(effect, te::UniformScale, {0, 1}, {0});
        key(effect, te::ScaleHeight, {0, 1}, {100 * std::sqrt(m.xy * m.xy + m.yy * m.yy)});
        key(effect, te::ScaleWidth, {0, 1}, {100 * std::sqrt((m.xx * m.xx + m.yx * m.yx) / (k * k + 1))});
        key(effect, te::Skew, {0, 1}, {std::atan(k) * kDegrees});
        key(effect, te::SkewAxis, {0, 1}, {-theta * kDegrees});
        key(effect, te::Rotation, {0, 1}, {theta * kDegrees});
        expectCorners(m, {0, 1});
        // One uniform scale, skew along a computed axis.
        const double q = (m.xx * m.xx + m.xy * m.xy + m.yx * m.yx + m.yy * m.yy) / det - 2;
        const bool g = m.xx + m.xy - m.yx - m.yy >= 0;
        const double a = q <= 0 ? 0 : (g ? -std::sqrt(q) : std::sqrt(q));
        const double A = m.xx + m.yy, B = m.xy - m.yx, P = a * A + 2 * B, Q = 2 * A - a * B;
        const double C = m.xy + m.yx, D = m.xx - m.yy;
        const double phi = g ? 0.5 * std::atan2(-(D * Q + C * P), -(C * Q - D * P))
                             : 0.5 * std::atan2(D * Q + C * P, C * Q - D * P);
        key(effect, te::UniformScale, {0, 1}, {1});
        key(effect, te::ScaleHeight, {0, 1}, {100 * std::sqrt(det)});
        key(effect, te::Skew, {0, 1}, {std::atan(a) * kDegrees});
        key(effect, te::SkewAxis, {0, 1}, {phi * kDegrees});
        key(effect, te::Rotation, {0, 1}, {std::atan2(-P, Q) * kDegrees});
        expectCorners(m, {0, 1});
    }
}

TEST_F(SimEvaluationTest, CornerPinPutsTheSourceCornersOnThePins) {
    const int effect = applyEffect("Corner Pin");
    // Untouched pins leave the layer as it is.
    expectCorners({1, 0, 0, 1, 0, 0}, {0, 1});
    // A projective map: corners land on the pins, straight lines stay straight.
    const Point2 pins[] = {{10, 20}, {300, 5}, {30, 250}, {280, 200}};
    for (int i = 0; i < 4; ++i) key(effect, i + 1, {0, 1}, {pins[i].x, pins[i].y});
    const Point2 corners[] = {{0, 0}, {320, 0}, {0, 240}, {320, 240}};
    for (int i = 0; i < 4; ++i) {
        const Point2 got = simhost::evaluateLayerPoint(host.model(), layer, {0, 1}, corners[i]);
        EXPECT_NEAR(got.x, pins[i].x, 1e-9);
        EXPECT_NEAR(got.y, pins[i].y, 1e-9);
    }
    const Point2 ends[] = {simhost::evaluateLayerPoint(host.model(), layer, {0, 1}, {0, 0}),
                           simhost::evaluateLayerPoint(host.model(), layer, {0, 1}, {320, 240})};
    const Point2 middle = simhost::evaluateLayerPoint(host.model(), layer, {0, 1}, {160, 120});
    const double cross =
        (ends[1].x - ends[0].x) * (middle.y - ends[0].y) - (ends[1].y - ends[0].y) * (middle.x - ends[0].x);
    EXPECT_NEAR(cross, 0, 1e-6);
    // Pins of an affine map give that map everywhere.
    const Affine m = randomAffines().front();
    for (int i = 0; i < 4; ++i) {
        const Point2 p = m.apply(corners[i]);
        key(effect, i + 1, {0, 1}, {p.x, p.y});
    }
    expectCorners(m, {0, 1});
}

}  // namespace
