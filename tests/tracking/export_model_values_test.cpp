#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

#include "tests/tracking/model_fixtures.h"

namespace {

using testkit::ModelRun;
using testkit::similarity;

constexpr double kPi = 3.141592653589793;
constexpr double kDegrees = 180 / kPi;
using Keys = std::map<std::string, std::pair<double, double>>;

Transformations constantRecord(const Transform& frame, std::size_t count = 3) {
    Transformations t;
    t.frames.assign(count, frame);
    t.exportInaccuracy = 0.5f;
    return t;
}

// The value of each target's first key, for a record of three equal frames.
Keys firstKeys(ExportModel kind, const Transform& frame, std::int32_t width, std::int32_t height,
               const Transform& initial = {}, Task task = Task::Tracking) {
    Transformations record = constantRecord(frame);
    record.initial = initial;
    record.task = task;
    Keys keys;
    for (const testkit::Track& track : ModelRun(kind, record, width, height, 0, 3, true).tracks()) {
        if (!track.keys.empty()) keys[track.target] = {track.keys[0].x, track.keys[0].y};
    }
    return keys;
}

TEST(ModelValues, FirstKeysOfEachModel) {
    // The centre under the initial, then the frame transform.
    EXPECT_EQ(firstKeys(ExportModel::Translation, {1.25, 0.5}, 640, 480, {4, -2}).at("layer 1"),
              std::make_pair(325.25, 238.5));
    // Compensation: the inverse, (p - (10, 20)) / 2, on the centre (100, 50); no initial transform.
    Keys keys = firstKeys(ExportModel::RigidScale, similarity(2, 0, 10, 20), 200, 100, {100, 100},
                          Task::Compensation);
    EXPECT_EQ(keys.at("layer 1"), std::make_pair(45.0, 15.0));
    EXPECT_EQ(keys.at("layer 2"), std::make_pair(50.0, 50.0));
    // Degrees and percent.
    keys = firstKeys(ExportModel::RigidScale, similarity(1.5, kPi / 6, 0, 0), 100, 100);
    EXPECT_NEAR(keys.at("layer 3").first, 30, 1e-12);
    EXPECT_NEAR(keys.at("layer 2").first, 150, 1e-12);
    EXPECT_NEAR(keys.at("layer 2").second, 150, 1e-12);
    const double angle = 0.4;
    keys = firstKeys(ExportModel::Affine1, similarity(1, angle, 3, 4), 100, 100);
    EXPECT_NEAR(keys.at("param 4").first, 100, 1e-12);
    EXPECT_NEAR(keys.at("param 5").first, 100, 1e-12);
    EXPECT_NEAR(keys.at("param 6").first, 0, 1e-12);
    EXPECT_NEAR(keys.at("param 7").first, -angle * kDegrees, 1e-12);
    EXPECT_NEAR(keys.at("param 8").first, angle * kDegrees, 1e-12);
    // Affine2 puts its uniform scale on the vertical scale only; rounding in (sum of squares) / det - 2
    // may leave a skew of a few millionths of a degree.
    keys = firstKeys(ExportModel::Affine2, similarity(2, 0.25, 0, 0), 100, 100);
    EXPECT_NEAR(keys.at("param 4").first, 200, 1e-12);
    EXPECT_NEAR(keys.at("param 6").first, 0, 1e-5);
    EXPECT_NEAR(keys.at("param 8").first, 0.25 * kDegrees, 1e-5);
    EXPECT_EQ(keys.count("param 3"), 0u);
}

// Rotation, then the two scales, then the skew y' = y + k x rebuild the linear part.
TEST(ModelValues, Affine3KeysRebuildTheLinearPart) {
    const Transform m{0, 0, 1.2, 0.3, -0.2, 0.8};
    const Keys keys = firstKeys(ExportModel::Affine3, m, 100, 100);
    const double angle = keys.at("layer 3").first / kDegrees;
    const double sx = keys.at("layer 2").first / 100;
    const double sy = keys.at("layer 2").second / 100;
    const double k = std::tan(keys.at("param 6").first / kDegrees);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    // R(angle) * diag(sx, sy) * [[1, 0], [k, 1]]
    EXPECT_NEAR(c * sx - s * sy * k, m.xx, 1e-12);
    EXPECT_NEAR(-s * sy, m.xy, 1e-12);
    EXPECT_NEAR(s * sx + c * sy * k, m.yx, 1e-12);
    EXPECT_NEAR(c * sy, m.yy, 1e-12);
}

TEST(ModelValues, IdentityCornerPinKeepsEverySecondFrameAndTheLast) {
    const ModelRun run(ExportModel::CornerPin, constantRecord(Transform(), 6), 640, 480, 0, 6, true);
    const double corners[4][2] = {{0, 0}, {640, 0}, {0, 480}, {640, 480}};
    const auto tracks = run.tracks();
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

const Transform kSingular{5, 5, 1, 2, 2, 4};
const Transform kMirrored{0, 0, -1, 0, 0, 1};
const Transform kNoVertical{0, 0, 1, 0, 1, 0};
const Transform kHuge{1e308, 0, 1e308, 0, 0, 1};
const Transform kOverflowing{0, 0, 1e200, 0, 0, 1e200};

// A transform the model cannot use raises an error naming the frame, before the sink is called.
TEST(ModelValues, UnusableFrameIsRefusedNamingTheFrameBeforeAnythingIsWritten) {
    const struct {
        const char* name;
        ExportModel kind;
        Task task;
        Transform frame;
        const char* text;
        double initialScale;
    } cases[] = {
        {"SingularCompensationTranslation", ExportModel::Translation, Task::Compensation, kSingular,
         "cannot be inverted", 1},
        {"SingularCompensationCornerPin", ExportModel::CornerPin, Task::Compensation, kSingular,
         "cannot be inverted", 1},
        {"SingularCompensationAffine2", ExportModel::Affine2, Task::Compensation, kSingular,
         "cannot be inverted", 1},
        {"SingularAffine1", ExportModel::Affine1, Task::Tracking, kSingular, "Affine1 export model", 1},
        {"MirroredAffine2", ExportModel::Affine2, Task::Tracking, kMirrored, "Affine2 export model", 1},
        {"CollapsedAffine3", ExportModel::Affine3, Task::Tracking, kNoVertical, "Affine3 export model", 1},
        {"HugePosition", ExportModel::Rigid, Task::Tracking, kHuge, "Rigid export model", 1},
        {"OverflowingTracking", ExportModel::RigidScale, Task::Tracking, kOverflowing, "not finite", 1e200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Transformations record = testkit::wanderingRecord(30, 100, 0.5f);
        record.task = c.task;
        record.frames[17] = c.frame;
        record.initial = similarity(c.initialScale, 0, 0, 0);
        auto model = createModel(c.kind);
        model->setSource(record);
        auto log = std::make_shared<testkit::SinkLog>();
        try {
            model->compute(std::make_unique<testkit::RecordingSink>(log, 640, 480, 100, 130));
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.text), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("frame 117"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(log->calls.empty());
    }
}

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
