#include "project/composition_import.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "sim/host/object_handles.h"
#include "tests/project/import_fixture.h"

using namespace importkit;
using namespace isolationkit;

namespace {

bool sameTime(const A_Time& time, A_long value, A_u_long scale) {
    return static_cast<long long>(time.value) * scale == static_cast<long long>(value) * time.scale;
}

// The layers the tracking result went to.
struct AppliedLayers {
    std::vector<int> layers;
    ApplyToLayer apply() {
        return [this](AEGP_LayerH layer) { layers.push_back(simhost::fromHandle(layer)); };
    }
};

class CompositionImportTest : public ImportTest {
protected:
    // Underlay p0000.png ... p0099.png beside p0100.png and notes.png; overlay logo.tga.
    CompositionImport carProject() {
        CompositionImport what;
        what.name = "Car";
        what.width = 720;
        what.height = 576;
        what.framerate = 25;
        what.pixelAspectRatio = {59, 54};
        what.underlayFiles = makeFrames(dir.file("plate"), "p", 100);
        writeFile(dir.file("plate/p0100.png"), "p0100.png");
        writeFile(dir.file("plate/notes.png"), "notes");
        writeFile(dir.file("art/logo.tga"), "logo");
        what.overlayFiles = {dir.file("art/logo.tga")};
        what.trimLast = 100;
        what.task = Task::Compensation;
        return what;
    }
};

// The fields of an interpretation the import leaves as the host gave them.
std::vector<double> keptFields(const AEGP_FootageInterp& interp) {
    return {double(interp.il.signature), double(interp.il.version),  double(interp.il.type),
            double(interp.il.order),     double(interp.il.reserved), double(interp.al.flags),
            double(interp.al.redCu),     double(interp.al.greenCu),  double(interp.al.blueCu),
            double(interp.pd),           double(interp.loop.loops),  double(interp.loop.reserved),
            interp.conform_fpsF,         double(interp.depthL),      double(interp.motion_dB)};
}

// The host's interpretation of each footage goes back whole but for the ratio and the rate.
TEST_F(CompositionImportTest, BuildsTheCompositionWithBothLayersInOneUndoGroup) {
    AEGP_FootageInterp given = simhost::defaultFootageInterpretation();
    given.il = {0x4649454Cu, 2, 1, 1, 7};
    given.al = {AEGP_AlphaPremul | AEGP_AlphaInverted, 10, 20, 30};
    given.pd = 3;
    given.loop = {4, 5};
    given.conform_fpsF = 12.5;
    given.depthL = 32;
    given.motion_dB = 1;
    given.native_fpsF = 12;
    host->model().footageInterpretation = given;
    const CompositionImport what = carProject();
    const auto before = snapshot(dir.path());
    AppliedLayers applied;
    const AEGP_ItemH item = importComposition(what, applied.apply());

    simhost::Item* comp = host->model().item(simhost::fromHandle(item));
    ASSERT_NE(comp, nullptr);
    EXPECT_EQ(comp->type, AEGP_ItemType_COMP);
    EXPECT_EQ(comp->name, "Car");
    EXPECT_EQ(comp->width, 720);
    EXPECT_EQ(comp->height, 576);
    EXPECT_EQ(comp->comp.fps, 25.0);
    EXPECT_TRUE(sameTime(comp->comp.duration, 4, 1));
    EXPECT_EQ(comp->comp.pixelAspect.num, 59);
    EXPECT_EQ(comp->comp.pixelAspect.den, 54u);
    for (const auto& [id, other] : host->model().items())
        EXPECT_EQ(other.selected, id == comp->id) << other.name;

    const auto layers = layersOf(*comp);
    ASSERT_EQ(layers.size(), 2u);
    const simhost::Layer& overlay = *layers[0];
    const simhost::Layer& underlay = *layers[1];
    // The host saw exactly the listed files: p0100.png and notes.png were aside.
    const simhost::Footage& plate = host->model().item(underlay.source)->footage;
    EXPECT_EQ(plate.files, what.underlayFiles);
    EXPECT_TRUE(plate.sequence);
    const simhost::Footage& logo = host->model().item(overlay.source)->footage;
    EXPECT_EQ(logo.files, what.overlayFiles);
    EXPECT_FALSE(logo.sequence);
    for (const simhost::Footage* footage : {&plate, &logo}) {
        EXPECT_EQ(keptFields(footage->interp), keptFields(given));
        EXPECT_EQ(footage->interp.pix_aspect_ratio.num, 59);
        EXPECT_EQ(footage->interp.pix_aspect_ratio.den, 54u);
        EXPECT_EQ(footage->interp.native_fpsF, 25.0);
    }
    // A one-file overlay with the default trimming spans the underlay's frames.
    EXPECT_TRUE(sameTime(overlay.offset, 0, 1));
    EXPECT_TRUE(sameTime(overlay.inPoint, 0, 1));
    EXPECT_TRUE(sameTime(overlay.duration, 100, 25));
    EXPECT_EQ(applied.layers, std::vector<int>{underlay.id});

    ASSERT_EQ(host->model().undoGroups().size(), 1u);
    EXPECT_EQ(host->model().undoGroups()[0].name, "Import of Skelda Project 'Car'");
    EXPECT_EQ(host->model().openUndoGroups(), 0);
    EXPECT_TRUE(host->suites().outstanding().empty());
    EXPECT_EQ(snapshot(dir.path()), before);
    EXPECT_TRUE(state.journals().empty());
}

// The tracking result goes to the overlay when tracking, to the underlay when compensating, and
// nowhere when tracking without an overlay.
TEST_F(CompositionImportTest, OverlayPlacementAndTaskRouting) {
    const struct {
        Task task;
        bool withOverlay;
        int appliedTo;  // index of the layer, top first; -1: none
    } cases[] = {{Task::Tracking, true, 0},
                 {Task::Compensation, true, 1},
                 {Task::Tracking, false, -1},
                 {Task::Compensation, false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.task)) + (c.withOverlay ? " with overlay" : ""));
        freshHost();
        testkit::TempDir footage;
        CompositionImport what;
        what.width = 640;
        what.height = 480;
        what.framerate = 25;
        what.underlayFiles = makeFrames(footage.file("plate"), "p", 60);
        if (c.withOverlay) what.overlayFiles = makeFrames(footage.file("art"), "o", 40);
        what.sourceOffset = 10;
        what.trimFirst = 5;
        what.trimLast = 45;
        what.task = c.task;
        AppliedLayers applied;
        simhost::Item* comp =
            host->model().item(simhost::fromHandle(importComposition(what, applied.apply())));
        ASSERT_NE(comp, nullptr);
        EXPECT_EQ(comp->name, "Skelda Comp");
        EXPECT_EQ(host->model().undoGroups().at(0).name, "Import of Skelda Project 'Skelda Comp'");
        EXPECT_EQ(host->model().openUndoGroups(), 0);
        const auto layers = layersOf(*comp);
        ASSERT_EQ(layers.size(), c.withOverlay ? 2u : 1u);
        EXPECT_EQ(applied.layers,
                  c.appliedTo < 0 ? std::vector<int>{} : std::vector<int>{layers[c.appliedTo]->id});
        if (!c.withOverlay) continue;
        EXPECT_EQ(host->model().item(layers[0]->source)->footage.files, what.overlayFiles);
        EXPECT_TRUE(sameTime(layers[0]->offset, 10, 25));
        EXPECT_TRUE(sameTime(layers[0]->inPoint, 5, 25));
        EXPECT_TRUE(sameTime(layers[0]->duration, 40, 25));
    }
}

TEST_F(CompositionImportTest, WithoutUnderlayNothingHappens) {
    CompositionImport what;
    what.overlayFiles = makeFrames(dir.file("art"), "o", 2);
    AppliedLayers applied;
    EXPECT_EQ(importComposition(what, applied.apply()), nullptr);
    EXPECT_TRUE(host->model().undoGroups().empty());
    EXPECT_TRUE(host->faults().calls().empty());
}

}  // namespace
