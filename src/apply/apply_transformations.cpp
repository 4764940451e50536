#include "apply/apply_transformations.h"

#include <limits>
#include <memory>
#include <stdexcept>

#include "apply/layer_keyframe_sink.h"
#include "host/check_host.h"
#include "host/main_window.h"
#include "host/suite_scope.h"
#include "plugin/apply_progress_dialog.h"
#include "tracking/model_choice.h"

namespace {

std::int32_t checkedCount(std::size_t count, const char* what) {
    if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error(std::string("Too many ") + what + " to apply.");
    return static_cast<std::int32_t>(count);
}

}  // namespace

bool applyTransformations(const Transformations& transformations, AEGP_LayerH layer) {
    SuiteScope<AEGP_LayerSuite2> layers;
    if (layer == nullptr) {
        CheckHost(layers->AEGP_GetActiveLayer(&layer), "getting active layer");
        if (layer == nullptr) return false;
    }
    AEGP_ObjectType type = AEGP_ObjectType_AV;
    CheckHost(layers->AEGP_GetLayerObjectType(layer, &type), "getting layer's object type");
    if (type != AEGP_ObjectType_AV) return false;

    AEGP_CompH comp = nullptr;
    CheckHost(layers->AEGP_GetLayerParentComp(layer, &comp), "getting layer's parent composition");
    SuiteScope<AEGP_CompSuite2> comps;
    A_FpLong frameRate = 0;
    CheckHost(comps->AEGP_GetCompFramerate(comp, &frameRate), "getting composition's framerate");

    AEGP_ItemH source = nullptr;
    CheckHost(layers->AEGP_GetLayerSourceItem(layer, &source), "getting layer's source item");
    A_long width = 0;
    A_long height = 0;
    {
        SuiteScope<AEGP_ItemSuite2> items;
        CheckHost(items->AEGP_GetItemDimensions(source, &width, &height), "getting item's dimensions");
    }

    std::unique_ptr<KeyframeModel> model = chooseModel(transformations, width, height);
    model->setSource(transformations);
    auto sink = std::make_unique<LayerKeyframeSink>(layer, frameRate, transformations.first,
                                                    checkedCount(transformations.frames.size(), "frames"));
    LayerKeyframeSink& target = *sink;
    model->compute(std::move(sink));
    const std::int32_t total = checkedCount(model->keyframeCount(), "keyframes");

    // Declared after the model, so that on the way out the dialog goes (and the host's window is
    // enabled again) before the sink ends its batch and its undo group.
    ApplyProgressDialog dialog(GetMainWindow(), total);
    // With no keyframe to write the model must not be asked for one.
    bool more = total > 0 && model->emitNext();
    for (std::int32_t step = 1; more; ++step) {
        if (dialog.advance(step)) {
            dialog.showInterruption();
            break;
        }
        more = model->emitNext();
    }
    dialog.close();
    target.finish();
    return true;
}
