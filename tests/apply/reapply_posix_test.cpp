// A result applied again to a layer that already holds keyframes from an earlier application.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "apply/apply_transformations.h"
#include "apply/frame_rate.h"
#include "tests/apply/apply_fixture.h"
#include "tests/common/fault_walk.h"

namespace {

class ReapplyTest : public ApplyTest {
protected:
    ReapplyTest() { fitCompToSource(); }

    // Every keyframe of a layer, its properties' and its effects', as "FRAME NAME VALUE" lines
    // (the layer starts at 0, so its times are composition times).
    std::vector<std::string> keysOf(int id) {
        std::vector<std::string> lines;
        const auto add = [&](const std::string& owner, const simhost::Stream& stream) {
            for (const simhost::Keyframe& key : stream.keys) {
                std::ostringstream line;
                line.precision(17);
                line << std::llround(25.0 * key.time.value / key.time.scale) << ' ' << owner << stream.name;
                for (double v : key.value) line << ' ' << v;
                lines.push_back(line.str());
            }
        };
        simhost::Layer* target = host.model().layer(id);
        for (const auto& [which, stream] : target->streams) add("", stream);
        for (int effect : target->effects)
            for (const auto& param : host.model().effect(effect)->params)
                add(host.model().effect(effect)->name + "/", param);
        return lines;
    }
    std::string project() {
        std::ostringstream out;
        host.model().dump(out);
        return out.str();
    }
    void answer(const char* button) {
        simhost::DialogAnswer queued;
        queued.kind = simhost::DialogAnswer::Kind::Button;
        queued.path = button;
        host.windows().queueAnswer(queued);
    }
    std::vector<std::string> questions() {
        std::vector<std::string> asked;
        for (const std::string& line : host.windows().shown())
            if (line.rfind("question ", 0) == 0) asked.push_back(line);
        return asked;
    }

    const Motion first_ = {0.01, 0.004, 0, 1.5, 0.3, 0};
    const Motion refined_ = {0.012, 0.003, 0, -1.0, 0.2, 0};
};

struct ReapplyCase {
    ExportModel model;
    const char* question;
};

const ReapplyCase kCases[] = {
    {ExportModel::Rigid,
     "The layer already has keyframes in frames 20 to 59 on: Position, Rotation. Replace them?"},
    {ExportModel::CornerPin,
     "The layer already has keyframes in frames 20 to 59 on: Corner Pin. Its last effect is already a "
     "\"Corner "
     "Pin\" effect. Replace them?"},
};

// The first result covers frames 0 to 99, the refined one 20 to 59.
TEST_F(ReapplyTest, ReplaceAddAndCancel) {
    for (const ReapplyCase& c : kCases) {
        SCOPED_TRACE(static_cast<int>(c.model));
        host.windows().clear();
        const Transformations earlier = makeRecord(0, 100, first_, 0.3f, c.model);
        const Transformations refined = makeRecord(20, 40, refined_, 0.3f, c.model, 7);
        // What the refined result alone writes, on a layer of its own.
        const int alone = host.model().addLayer(comp, source, AEGP_ObjectType_AV);
        ASSERT_TRUE(applyTransformations(refined, simhost::toHandle<AEGP_LayerH>(alone)));
        EXPECT_TRUE(questions().empty());  // nothing there: nothing asked
        const std::vector<std::string> single = keysOf(alone);

        for (const char* button : {"Cancel", "Add", "Replace"}) {
            SCOPED_TRACE(button);
            bareLayer();
            ASSERT_TRUE(applyTransformations(earlier));
            const std::vector<std::string> before = keysOf(layer);
            const std::string beforeProject = project();
            const std::size_t groups = host.model().undoGroups().size();
            host.windows().clear();
            host.reports().clear();
            host.references().clear();
            answer(button);
            ASSERT_TRUE(applyTransformations(refined));
            ASSERT_EQ(questions().size(), 1u);
            EXPECT_NE(questions()[0].find(simhost::quotedText(c.question)), std::string::npos)
                << questions()[0];
            EXPECT_TRUE(host.reports().empty());
            const std::vector<std::string> after = keysOf(layer);
            const std::size_t effects = host.model().layer(layer)->effects.size();
            if (std::string(button) == "Cancel") {
                EXPECT_EQ(project(), beforeProject);
                EXPECT_EQ(host.model().undoGroups().size(), groups);  // not even an empty step
            } else if (std::string(button) == "Add") {
                if (c.model == ExportModel::CornerPin) {
                    EXPECT_EQ(effects, 2u);
                    EXPECT_EQ(after.size(), before.size() + single.size());
                } else {
                    // The earlier keys keep their frames; keys on a frame both write take the new value.
                    for (const std::string& key : before) {
                        const std::string at = key.substr(0, key.find(' ', key.find(' ') + 1) + 1);
                        EXPECT_TRUE(std::any_of(after.begin(), after.end(), [&](const std::string& k) {
                            return k.rfind(at, 0) == 0;
                        })) << key;
                    }
                    EXPECT_GT(after.size(), before.size());
                }
            } else {
                EXPECT_EQ(effects, c.model == ExportModel::CornerPin ? 1u : 0u);
                // Inside frames 20 to 59 exactly what a single application writes; outside them
                // the earlier keys.
                const auto outside = [](const std::string& key) {
                    const long frame = std::stol(key);
                    return frame < 20 || frame >= 60;
                };
                std::vector<std::string> expected, kept, inside;
                std::copy_if(before.begin(), before.end(), std::back_inserter(expected), outside);
                for (const std::string& key : after) (outside(key) ? kept : inside).push_back(key);
                EXPECT_EQ(kept, expected);
                EXPECT_EQ(inside, single);
                // Deletions and the new keyframes fall into one undo group.
                int deleted = 0, added = 0;
                for (const simhost::RecordedChange& change : host.references().changes()) {
                    EXPECT_EQ(change.undoGroup, static_cast<int>(host.model().undoGroups().size() - 1));
                    deleted += change.deleted;
                    added += change.keys;
                }
                EXPECT_GT(deleted, 0);
                EXPECT_GT(added, 0);

                // A second Replace leaves the same keys.
                answer("Replace");
                ASSERT_TRUE(applyTransformations(refined));
                EXPECT_EQ(keysOf(layer), after);

                // Undo of the last application, then of the one before: the earlier keys exactly.
                ASSERT_TRUE(host.undoHistory().undoLast(host.model()));
                EXPECT_EQ(keysOf(layer), after);
                ASSERT_TRUE(host.undoHistory().undoLast(host.model()));
                EXPECT_EQ(project(), beforeProject);
            }
            expectNothingLeftOpen();
        }
    }
}

// Only the frames of the new result count: keys elsewhere, and a last effect of another kind, ask
// nothing.
TEST_F(ReapplyTest, NoQuestionWithoutKeysInTheRange) {
    ASSERT_TRUE(applyTransformations(makeRecord(0, 20, first_, 0.3f, ExportModel::Rigid)));
    ASSERT_TRUE(applyTransformations(makeRecord(0, 20, first_, 0.3f, ExportModel::Affine1)));
    host.windows().clear();
    ASSERT_TRUE(applyTransformations(makeRecord(50, 30, refined_, 0.3f, ExportModel::Rigid)));
    ASSERT_TRUE(applyTransformations(makeRecord(50, 30, refined_, 0.3f, ExportModel::CornerPin)));
    EXPECT_TRUE(questions().empty());
    // The Transform effect is not the last one any more: Affine1 adds a new one without asking.
    ASSERT_TRUE(applyTransformations(makeRecord(100, 20, refined_, 0.3f, ExportModel::Affine1)));
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(host.model().layer(layer)->effects.size(), 3u);
    expectNothingLeftOpen();
}

// Every call of a Replace that reads or deletes keys, or asks, failed in turn: the error reaches
// the caller, nothing is left open, and the project is as it was or one undo brings it back.
TEST_F(ReapplyTest, FaultWalkOverTheReplaceLeavesNothingHalfDone) {
    const std::vector<std::string> watched = {
        "AEGP_GetStreamNumKFs",    "AEGP_GetKeyframeTime",       "AEGP_DeleteKeyframe",
        "AEGP_GetLayerNumEffects", "AEGP_GetLayerEffectByIndex", "AEGP_GetInstalledKeyFromLayerEffect",
        "AEGP_AskQuestion"};
    for (const ReapplyCase& c : kCases) {
        bareLayer();
        ASSERT_TRUE(applyTransformations(makeRecord(0, 30, first_, 0.3f, c.model)));
        const Transformations refined = makeRecord(10, 10, refined_, 0.3f, c.model, 7);
        simhost::HostModel saved = host.model();
        const std::string before = project();
        answer("Replace");
        host.faults().clearCalls();
        ASSERT_TRUE(applyTransformations(refined));
        const std::vector<std::string> calls = host.faults().calls();
        A_Err code = -100;
        int walked = 0;
        for (const testkit::FailurePoint& point : testkit::failurePoints(calls)) {
            if (std::find(watched.begin(), watched.end(), point.operation) == watched.end()) continue;
            SCOPED_TRACE(point.name());
            ++walked;
            host.model() = saved;
            host.undoHistory().clear();
            host.windows().clear();
            answer("Replace");
            expectFailingApply(refined, point, --code);
            expectNothingLeftOpen();
            if (host.model().undoGroups().size() > saved.undoGroups().size()) {
                ASSERT_TRUE(host.undoHistory().undoLast(host.model()));
            }
            EXPECT_EQ(project(), before);
        }
        EXPECT_GT(walked, 10);
    }
}

}  // namespace
