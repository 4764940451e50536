#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <stdexcept>
#include <string>

#include "tests/tracking/model_fixtures.h"

namespace {

using testkit::makeTransform;
using testkit::ModelRun;
using testkit::similarity;

constexpr double kPi = 3.141592653589793;
constexpr double kDegrees = 180 / kPi;

Transformations constantRecord(const Transform& frame, std::size_t count = 3) {
    Transformations t;
    t.frames.assign(count, frame);
    t.exportInaccuracy = 0.5f;
    return t;
}

// The value of a target's first key.
std::pair<double, double> firstKey(const ModelRun& run, const std::string& target) {
    const auto tracks = testkit::tracksOf(run.log->calls);
    const testkit::Track* track = testkit::findTrack(tracks, target);
    if (!track || track->keys.empty()) {
        ADD_FAILURE() << "no keys on " << target;
        return {0, 0};
    }
    return {track->keys[0].x, track->keys[0].y};
}

TEST(ModelValues, PositionIsTheCentreUnderTheInitialThenTheFrameTransform) {
    Transformations record = constantRecord(makeTransform(1.25, 0.5, 1, 0, 0, 1));
    record.initial = makeTransform(4, -2, 1, 0, 0, 1);
    ModelRun run(ExportModel::Translation, record, 640, 480, 0, 3);
    testkit::emitAll(*run.model);
    EXPECT_EQ(firstKey(run, "layer 1"), std::make_pair(325.25, 238.5));
}

TEST(ModelValues, CompensationUsesTheInverseAndIgnoresTheInitialTransform) {
    Transformations record = constantRecord(similarity(2, 0, 10, 20));
    record.initial = makeTransform(100, 100, 1, 0, 0, 1);
    record.task = Task::Compensation;
    ModelRun run(ExportModel::RigidScale, record, 200, 100, 0, 3);
    testkit::emitAll(*run.model);
    // Inverse: (p - (10, 20)) / 2 applied to the centre (100, 50).
    EXPECT_EQ(firstKey(run, "layer 1"), std::make_pair(45.0, 15.0));
    EXPECT_EQ(firstKey(run, "layer 2"), std::make_pair(50.0, 50.0));
}

TEST(ModelValues, RigidScaleWritesDegreesAndPercent) {
    ModelRun run(ExportModel::RigidScale, constantRecord(similarity(1.5, kPi / 6, 0, 0)), 100, 100, 0, 3);
    testkit::emitAll(*run.model);
    EXPECT_NEAR(firstKey(run, "layer 3").first, 30, 1e-12);
    EXPECT_NEAR(firstKey(run, "layer 2").first, 150, 1e-12);
    EXPECT_NEAR(firstKey(run, "layer 2").second, 150, 1e-12);
}

TEST(ModelValues, Affine1PureRotation) {
    const double angle = 0.4;
    ModelRun run(ExportModel::Affine1, constantRecord(similarity(1, angle, 3, 4)), 100, 100, 0, 3);
    testkit::emitAll(*run.model);
    EXPECT_NEAR(firstKey(run, "param 4").first, 100, 1e-12);
    EXPECT_NEAR(firstKey(run, "param 5").first, 100, 1e-12);
    EXPECT_NEAR(firstKey(run, "param 6").first, 0, 1e-12);
    EXPECT_NEAR(firstKey(run, "param 7").first, -angle * kDegrees, 1e-12);
    EXPECT_NEAR(firstKey(run, "param 8").first, angle * kDegrees, 1e-12);
}

TEST(ModelValues, Affine2PutsItsUniformScaleOnTheVerticalScaleOnly) {
    ModelRun run(ExportModel::Affine2, constantRecord(similarity(2, 0.25, 0, 0)), 100, 100, 0, 3);
    testkit::emitAll(*run.model);
    // Rounding in (sum of squares) / det - 2 may leave a skew of a few millionths of a degree.
    EXPECT_NEAR(firstKey(run, "param 4").first, 200, 1e-12);
    EXPECT_NEAR(firstKey(run, "param 6").first, 0, 1e-5);
    EXPECT_NEAR(firstKey(run, "param 8").first, 0.25 * kDegrees, 1e-5);
    const auto tracks = testkit::tracksOf(run.log->calls);
    EXPECT_EQ(testkit::findTrack(tracks, "param 3"), nullptr);
}

// Rotation, then the two scales, then the skew y' = y + k x rebuild the linear part.
TEST(ModelValues, Affine3KeysRebuildTheLinearPart) {
    const Transform m = makeTransform(0, 0, 1.2, 0.3, -0.2, 0.8);
    ModelRun run(ExportModel::Affine3, constantRecord(m), 100, 100, 0, 3);
    testkit::emitAll(*run.model);
    const double angle = firstKey(run, "layer 3").first / kDegrees;
    const double sx = firstKey(run, "layer 2").first / 100;
    const double sy = firstKey(run, "layer 2").second / 100;
    const double k = std::tan(firstKey(run, "param 6").first / kDegrees);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    // R(angle) * diag(sx, sy) * [[1, 0], [k, 1]]
    EXPECT_NEAR(c * sx - s * sy * k, m.xx, 1e-12);
    EXPECT_NEAR(-s * sy, m.xy, 1e-12);
    EXPECT_NEAR(s * sx + c * sy * k, m.yx, 1e-12);
    EXPECT_NEAR(c * sy, m.yy, 1e-12);
}

TEST(ModelValues, IdentityCornerPinKeepsEverySecondFrameAndTheLast) {
    ModelRun run(ExportModel::CornerPin, constantRecord(Transform(), 6), 640, 480, 0, 6);
    testkit::emitAll(*run.model);
    const double corners[4][2] = {{0, 0}, {640, 0}, {0, 480}, {640, 480}};
    const auto tracks = testkit::tracksOf(run.log->calls);
    ASSERT_EQ(tracks.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(tracks[i].keys.size(), 4u);
        const int frames[] = {0, 2, 4, 5};
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(tracks[i].keys[k].frame, frames[k]);
            EXPECT_EQ(tracks[i].keys[k].x, corners[i][0]);
            EXPECT_EQ(tracks[i].keys[k].y, corners[i][1]);
        }
    }
}

// A transform the model cannot use raises an error naming the frame, before the sink is called.
struct Unusable {
    const char* name;
    ExportModel kind;
    Task task;
    Transform frame;
    const char* text;
    double initialScale = 1;
};

void PrintTo(const Unusable& c, std::ostream* os) {
    *os << c.name;
}

class UnusableFrame : public ::testing::TestWithParam<Unusable> {};

TEST_P(UnusableFrame, IsRefusedNamingTheFrameBeforeAnythingIsWritten) {
    Transformations record = testkit::wanderingRecord(30, 100, 0.5f);
    record.task = GetParam().task;
    record.frames[17] = GetParam().frame;
    record.initial = similarity(GetParam().initialScale, 0, 0, 0);
    auto model = createModel(GetParam().kind);
    model->setSource(record);
    auto log = std::make_shared<testkit::SinkLog>();
    try {
        model->compute(std::make_unique<testkit::RecordingSink>(log, 640, 480, 100, 130));
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().text), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("frame 117"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(log->calls.empty());
}

const Transform kSingular = makeTransform(5, 5, 1, 2, 2, 4);
const Transform kMirrored = makeTransform(0, 0, -1, 0, 0, 1);
const Transform kNoVertical = makeTransform(0, 0, 1, 0, 1, 0);

INSTANTIATE_TEST_SUITE_P(
    Frames, UnusableFrame,
    ::testing::Values(
        Unusable{"SingularCompensationTranslation", ExportModel::Translation, Task::Compensation, kSingular,
                 "cannot be inverted"},
        Unusable{"SingularCompensationCornerPin", ExportModel::CornerPin, Task::Compensation, kSingular,
                 "cannot be inverted"},
        Unusable{"SingularCompensationAffine2", ExportModel::Affine2, Task::Compensation, kSingular,
                 "cannot be inverted"},
        Unusable{"SingularAffine1", ExportModel::Affine1, Task::Tracking, kSingular, "Affine1 export model"},
        Unusable{"MirroredAffine2", ExportModel::Affine2, Task::Tracking, kMirrored, "Affine2 export model"},
        Unusable{"CollapsedAffine3", ExportModel::Affine3, Task::Tracking, kNoVertical,
                 "Affine3 export model"},
        Unusable{"HugePosition", ExportModel::Rigid, Task::Tracking, makeTransform(1e308, 0, 1e308, 0, 0, 1),
                 "Rigid export model"},
        Unusable{"OverflowingTracking", ExportModel::RigidScale, Task::Tracking,
                 makeTransform(0, 0, 1e200, 0, 0, 1e200), "not finite", 1e200}),
    [](const ::testing::TestParamInfo<Unusable>& info) { return std::string(info.param.name); });

TEST(ModelValues, SingularTrackingFramesAreFineForModelsThatNeedNoInverse) {
    Transformations record = testkit::wanderingRecord(10, 0, 0.5f);
    record.frames[4] = kSingular;
    for (const ExportModel kind :
         {ExportModel::Translation, ExportModel::Rigid, ExportModel::RigidScale, ExportModel::CornerPin}) {
        ModelRun run(kind, record, 64, 48, 0, 10);
        EXPECT_GT(run.model->keyframeCount(), 0u);
    }
}

}  // namespace
