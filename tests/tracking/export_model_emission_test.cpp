#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/tracking/model_fixtures.h"

namespace {

using testkit::ModelRun;
using testkit::SinkCall;

struct EmissionCase {
    const char* name;
    ExportModel kind;
    const char* computeCalls;  // what compute does to the sink, before any emitNext
    const char* outline;       // everything
    std::size_t extraKeys;     // keys written beyond keyframeCount
};

void expectEmission(const EmissionCase& c) {
    const Transformations record = testkit::wanderingRecord(120, 5, 0.5f);
    ModelRun run(c.kind, record, 720, 576, 10, 110);
    EXPECT_EQ(testkit::outline(run.log->calls), c.computeCalls);

    const std::size_t count = run.model->keyframeCount();
    EXPECT_EQ(testkit::emitAll(*run.model), count);
    EXPECT_EQ(run.keysWritten(), count + c.extraKeys);
    EXPECT_EQ(testkit::outline(run.log->calls), c.outline);

    // The targets announced before writing are exactly the ones written.
    const ModelTargets announced = run.model->targets();
    std::set<std::string> expected;
    for (const LayerStream stream : announced.layerStreams)
        expected.insert("layer " + std::to_string(static_cast<int>(stream)));
    if (announced.effect != nullptr) expected.insert(std::string("effect ") + announced.effect);
    for (const std::int32_t parameter : announced.effectParameters)
        expected.insert("param " + std::to_string(parameter));
    std::set<std::string> written;
    for (const SinkCall& call : run.log->calls)
        if (!call.isKey()) written.insert(call.target);
    EXPECT_EQ(written, expected);

    // Exhausted: nothing more is written.
    const std::size_t calls = run.log->calls.size();
    EXPECT_FALSE(run.model->emitNext());
    EXPECT_EQ(run.log->calls.size(), calls);

    // Every track covers the range, and only it, in increasing frames and was thinned.
    for (const testkit::Track& track : run.tracks()) {
        // Affine1's uniform-scale switch is turned off once, at the first frame.
        if (c.kind == ExportModel::Affine1 && track.target == "param 3") {
            ASSERT_EQ(track.keys.size(), 1u);
            EXPECT_TRUE(track.keys[0].scalar);
            EXPECT_EQ(track.keys[0].frame, 10);
            EXPECT_EQ(track.keys[0].x, 0);
            continue;
        }
        ASSERT_FALSE(track.keys.empty()) << track.target;
        EXPECT_EQ(track.keys.front().frame, 10) << track.target;
        EXPECT_EQ(track.keys.back().frame, 109) << track.target;
        EXPECT_LT(track.keys.size(), 100u) << track.target;
        for (std::size_t i = 1; i < track.keys.size(); ++i)
            EXPECT_LT(track.keys[i - 1].frame, track.keys[i].frame) << track.target;
    }
}

const char* const kEffectStart = "effect Transform, param 2";

TEST(ModelEmission, SwitchesTargetsInOrderAndEmitsWhatItCounts) {
    const EmissionCase cases[] = {
        {"Translation", ExportModel::Translation, "layer 1", "layer 1, keys", 0},
        {"Rigid", ExportModel::Rigid, "layer 1", "layer 1, keys, layer 3, keys", 0},
        {"RigidScale", ExportModel::RigidScale, "layer 1", "layer 1, keys, layer 2, keys, layer 3, keys", 0},
        {"Affine3", ExportModel::Affine3, "layer 1",
         "layer 1, keys, layer 2, keys, layer 3, keys, effect Transform, param 6, keys", 0},
        {"Affine1", ExportModel::Affine1, kEffectStart,
         "effect Transform, param 2, keys, param 3, keys, param 4, keys, param 5, keys, param 6, keys, "
         "param 7, keys, param 8, keys",
         1},
        {"Affine2", ExportModel::Affine2, kEffectStart,
         "effect Transform, param 2, keys, param 4, keys, param 6, keys, param 7, keys, param 8, keys", 0},
        {"CornerPin", ExportModel::CornerPin, "effect Corner Pin, param 1",
         "effect Corner Pin, param 1, keys, param 2, keys, param 3, keys, param 4, keys", 0}};
    for (const EmissionCase& c : cases) {
        SCOPED_TRACE(c.name);
        expectEmission(c);
    }
}

const ExportModel kAllModels[] = {ExportModel::Translation, ExportModel::Rigid,   ExportModel::RigidScale,
                                  ExportModel::Affine1,     ExportModel::Affine2, ExportModel::Affine3,
                                  ExportModel::CornerPin};

// One frame gives one key per property; an empty range touches nothing.
TEST(ModelEmission, OneFrameAndEmptyRanges) {
    Transformations record;
    record.frames.push_back(testkit::similarity(1.5, 0.3, 7, -4));
    record.exportInaccuracy = 0.5f;
    for (const ExportModel kind : kAllModels) {
        const ModelRun run(kind, record, 100, 80, 0, 1, true);
        for (const testkit::Track& track : run.tracks())
            EXPECT_EQ(track.keys.size(), 1u) << static_cast<int>(kind) << " " << track.target;
        ModelRun empty(kind, record, 100, 80, 1, 1);
        EXPECT_EQ(empty.model->keyframeCount(), 0u);
        EXPECT_FALSE(empty.model->emitNext());
        EXPECT_TRUE(empty.log->calls.empty()) << static_cast<int>(kind);
    }
}

// A range outside the record, or no record at all, is refused before any call.
TEST(ModelEmission, RefusesWhatItCannotConvertBeforeAnyCall) {
    const Transformations record = testkit::wanderingRecord(20, 10, 0.5f);
    auto model = createModel(ExportModel::CornerPin);
    auto log = std::make_shared<testkit::SinkLog>();
    EXPECT_THROW(model->compute(std::make_unique<testkit::RecordingSink>(log, 10, 10, 0, 1)),
                 std::logic_error);
    model->setSource(record);
    EXPECT_THROW(model->compute(std::make_unique<testkit::RecordingSink>(log, 10, 10, 5, 15)),
                 std::out_of_range);
    EXPECT_THROW(model->compute(std::make_unique<testkit::RecordingSink>(log, 10, 10, 25, 31)),
                 std::out_of_range);
    EXPECT_TRUE(log->calls.empty());
}

TEST(ModelEmission, ModelOwnsItsSink) {
    auto first = std::make_shared<testkit::SinkLog>();
    auto second = std::make_shared<testkit::SinkLog>();
    const Transformations record = testkit::wanderingRecord(10, 0, 0.5f);
    auto model = createModel(ExportModel::Rigid);
    model->setSource(record);
    model->compute(std::make_unique<testkit::RecordingSink>(first, 10, 10, 0, 10));
    model->compute(std::make_unique<testkit::RecordingSink>(second, 10, 10, 0, 10));
    EXPECT_EQ(first->destroyed, 1);
    EXPECT_EQ(second->destroyed, 0);
    model.reset();
    EXPECT_EQ(second->destroyed, 1);
}

}  // namespace
