#include <gtest/gtest.h>

#include "tests/tracking/model_fixtures.h"
#include "tracking/corner_pin_model.h"
#include "tracking/rigid_scale_model.h"

namespace {

using testkit::similarity;

constexpr double kPi = 3.141592653589793;

TEST(AutomaticChoice, PicksTheSimplestModelThatFits) {
    const struct {
        const char* name;
        Transform frame;
        float tolerance;
        ExportModel expected;
    } cases[] = {
        // With e = 0 the threshold is 0.0001 square pixels, not 0.
        {"PureTranslationAtZeroTolerance", {12.5, -3}, 0.0f, ExportModel::Translation},
        // The corner moves by about 8 pixels.
        {"OneDegreeTurn", similarity(1, kPi / 180, 0, 0), 0.5f, ExportModel::Rigid},
        {"TinyTurnWithinTolerance", similarity(1, 1e-4, 0, 0), 0.5f, ExportModel::Translation},
        {"Zoom", similarity(1.1, 0.2, 5, 5), 0.5f, ExportModel::RigidScale},
        {"Shear", {0, 0, 1, 0.1, 0, 1}, 0.5f, ExportModel::Affine3},
        {"SmallStretch", {0, 0, 1.002, 0, 0, 1}, 0.5f, ExportModel::RigidScale},
        {"Mirror", {0, 0, -1, 0, 0, 1}, 0.5f, ExportModel::Affine3},
    };
    for (const auto& c : cases) {
        Transformations record;
        record.exportInaccuracy = c.tolerance;
        record.frames = {Transform(), c.frame, Transform()};
        EXPECT_EQ(automaticExportModel(record, 720, 576), c.expected) << c.name;
    }
}

TEST(AutomaticChoice, LooksAtTheRawFramesOnly) {
    Transformations record;
    record.frames = {Transform{3, 4}};
    record.initial = similarity(2, 1, 0, 0);  // neither the initial transform nor the task count
    record.task = Task::Compensation;
    EXPECT_EQ(automaticExportModel(record, 100, 100), ExportModel::Translation);
    record.frames.clear();
    EXPECT_EQ(automaticExportModel(record, 100, 100), ExportModel::Translation);
}

// Which model each kind makes is seen in what it emits; Auto and unknown kinds make none.
TEST(ModelChoice, FollowsTheRecordUnlessItSaysAuto) {
    EXPECT_EQ(createModel(ExportModel::Auto), nullptr);
    EXPECT_EQ(createModel(static_cast<ExportModel>(8)), nullptr);
    Transformations record;
    record.frames = {similarity(1.2, 0.3, 0, 0)};
    record.exportModel = ExportModel::CornerPin;
    EXPECT_NE(dynamic_cast<CornerPinModel*>(chooseModel(record, 100, 100).get()), nullptr);
    record.exportModel = ExportModel::Auto;
    EXPECT_NE(dynamic_cast<RigidScaleModel*>(chooseModel(record, 100, 100).get()), nullptr);
    // A value that names no model is treated as Auto rather than giving no model at all.
    record.exportModel = static_cast<ExportModel>(42);
    EXPECT_NE(dynamic_cast<RigidScaleModel*>(chooseModel(record, 100, 100).get()), nullptr);
}

}  // namespace
