#include "project/composition_import.h"

#include <optional>
#include <stdexcept>
#include <string>

#include "host/check_host.h"
#include "host/suite_scope.h"
#include "project/sequence_isolator.h"

namespace {

// The import's undo group: ended on the normal path with its failure raised, and on every other
// way out without a word.
class ImportUndoGroup {
public:
    ImportUndoGroup(const AEGP_UtilitySuite1& utility, const std::string& name) : utility_(utility) {
        CheckHost(utility_.AEGP_StartUndoGroup(name.c_str()), "starting undo group");
        open_ = true;
    }
    ~ImportUndoGroup() {
        if (open_) utility_.AEGP_EndUndoGroup();
    }
    ImportUndoGroup(const ImportUndoGroup&) = delete;
    ImportUndoGroup& operator=(const ImportUndoGroup&) = delete;

    void end() {
        CheckHost(utility_.AEGP_EndUndoGroup(), "ending undo group");
        open_ = false;
    }

private:
    const AEGP_UtilitySuite1& utility_;
    bool open_ = false;
};

// A footage made for the composition: disposed on every way out unless the project took it over.
class NewFootage {
public:
    NewFootage(const AEGP_FootageSuite1& suite, const std::string& path, bool sequence) : suite_(suite) {
        CheckHost(suite_.AEGP_NewFootage(hostContext().pluginId, path.c_str(), sequence ? 1 : 0, nullptr,
                                         &footage_),
                  "allocating new footage");
    }
    ~NewFootage() {
        // Another error is on its way out: this one would hide it.
        if (footage_ != nullptr) suite_.AEGP_DisposeFootage(footage_);
    }
    NewFootage(const NewFootage&) = delete;
    NewFootage& operator=(const NewFootage&) = delete;

    AEGP_FootageH get() const { return footage_; }

    // The project owns the footage from now on; its item.
    AEGP_ItemH addToProject(AEGP_ItemH folder) {
        AEGP_ItemH item = nullptr;
        CheckHost(suite_.AEGP_AddFootageToProject(footage_, folder, &item), "adding footage to project");
        footage_ = nullptr;
        return item;
    }

private:
    const AEGP_FootageSuite1& suite_;
    AEGP_FootageH footage_ = nullptr;
};

A_Time frames(std::int64_t count, std::uint32_t framerate) {
    return {static_cast<A_long>(count), framerate};
}

// A footage made from `files`, interpreted at the project's rate and ratio, added to the root
// folder and laid into the composition; the layer it became.
AEGP_LayerH addFootageLayer(const CompositionImport& what, const std::vector<std::string>& files,
                            bool sequence, AEGP_ItemH root, AEGP_CompH comp) {
    // The host builds a sequence from every file of the first one's extension beside it: the others
    // are renamed aside until the layer exists.
    std::optional<SequenceIsolator> isolator;
    if (sequence) isolator.emplace(files);
    AEGP_LayerH layer = nullptr;
    {
        SuiteScope<AEGP_FootageSuite1> footageSuite;
        NewFootage footage(*footageSuite, files.front(), sequence);
        AEGP_FootageInterp interp{};
        CheckHost(footageSuite->AEGP_GetFootageInterpretation(footage.get(), &interp),
                  "getting footage's interpretation");
        // Only the ratio and the rate change; the host's other settings go back as they came.
        interp.pix_aspect_ratio = {what.pixelAspectRatio.num, what.pixelAspectRatio.den};
        interp.native_fpsF = static_cast<A_FpLong>(what.framerate);
        CheckHost(footageSuite->AEGP_SetFootageInterpretation(footage.get(), &interp),
                  "setting footage's interpretation");
        const AEGP_ItemH item = footage.addToProject(root);
        SuiteScope<AEGP_LayerSuite2> layers;
        CheckHost(layers->AEGP_AddLayer(item, comp, &layer), "adding layer into composition");
    }
    if (isolator) isolator->restore();
    return layer;
}

}  // namespace

AEGP_ItemH importComposition(const CompositionImport& what, const ApplyToLayer& apply) {
    if (what.underlayFiles.empty()) return nullptr;
    // Refused before anything is built: the host would be given a negative duration for the overlay.
    if (!what.overlayFiles.empty() && what.trimLast < what.trimFirst)
        throw std::invalid_argument(
            "the project's Overlay has a Trimming that ends before it starts (first " +
            std::to_string(what.trimFirst) + ", last " + std::to_string(what.trimLast) + ")");
    const std::string name = what.name.empty() ? kDefaultCompositionName : what.name;
    const std::uint32_t fps = what.framerate;

    SuiteScope<AEGP_UtilitySuite1> utility;
    ImportUndoGroup undo(*utility, "Import of Skelda Project '" + name + "'");

    SuiteScope<AEGP_ProjSuite1> projects;
    AEGP_ProjectH project = nullptr;
    CheckHost(projects->AEGP_GetProjectByIndex(0, &project), "getting project by index");
    AEGP_ItemH root = nullptr;
    CheckHost(projects->AEGP_GetProjectRootFolder(project, &root), "getting project root folder");

    SuiteScope<AEGP_CompSuite2> comps;
    const A_Ratio pixelAspect = {what.pixelAspectRatio.num, what.pixelAspectRatio.den};
    const A_Time duration = frames(static_cast<std::int64_t>(what.underlayFiles.size()), fps);
    const A_Ratio rate = {static_cast<A_long>(fps), 1};
    AEGP_CompH comp = nullptr;
    CheckHost(comps->AEGP_CreateComp(root, name.c_str(), static_cast<A_long>(what.width),
                                     static_cast<A_long>(what.height), &pixelAspect, &duration, &rate, &comp),
              "creating composition");

    const AEGP_LayerH underlay = addFootageLayer(what, what.underlayFiles, true, root, comp);
    if (what.task == Task::Compensation) apply(underlay);

    // A stabilisation needs no overlay: a project without one is the underlay alone.
    if (!what.overlayFiles.empty()) {
        const bool still = what.overlayFiles.size() == 1;
        const AEGP_LayerH overlay = addFootageLayer(what, what.overlayFiles, !still, root, comp);
        SuiteScope<AEGP_LayerSuite2> layers;
        const A_Time offset = frames(what.sourceOffset, fps);
        CheckHost(layers->AEGP_SetLayerOffset(overlay, &offset), "setting layer's offset");
        const A_Time inPoint = frames(what.trimFirst, fps);
        const A_Time length = frames(static_cast<std::int64_t>(what.trimLast) - what.trimFirst, fps);
        CheckHost(
            layers->AEGP_SetLayerInPointAndDuration(overlay, AEGP_LTimeMode_LayerTime, &inPoint, &length),
            "setting layer's in point and duration");
        if (what.task == Task::Tracking) apply(overlay);
    }

    AEGP_ItemH item = nullptr;
    CheckHost(comps->AEGP_GetItemFromComp(comp, &item), "getting item from composition");
    SuiteScope<AEGP_ItemSuite2> items;
    CheckHost(items->AEGP_SelectItem(item, 1, 1), "selecting item");
    undo.end();
    return item;
}
