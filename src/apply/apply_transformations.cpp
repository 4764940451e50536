#include "apply/apply_transformations.h"

#include <limits>
#include <memory>
#include <stdexcept>

#include "apply/apply_messages.h"
#include "apply/layer_keyframe_sink.h"
#include "host/check_host.h"
#include "host/main_window.h"
#include "host/report.h"
#include "host/suite_scope.h"
#include "tracking/model_choice.h"
#include "ui/apply_progress_dialog.h"
#include "ui/question_box.h"

namespace {

std::int32_t checkedCount(std::size_t count, const char* what) {
    if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error(std::string("Too many ") + what + " to apply.");
    return static_cast<std::int32_t>(count);
}

// Asks whether keys already in the range are to be replaced; false when the user wants nothing
// written. Nothing has been written when it is asked.
bool settleExistingKeys(LayerKeyframeSink& sink, const ModelTargets& targets) {
    const ExistingKeys existing = sink.findExisting(targets);
    if (!existing.any()) return true;
    Question question;
    question.text = replaceQuestionText(existingKeyNames(targets, existing),
                                        existing.effectIndex >= 0 ? targets.effect : nullptr,
                                        sink.firstFrame(), sink.endFrame());
    question.first = "Replace";
    question.second = "Add";
    question.cancel = "Cancel";
    question.legend =
        "Replace: delete them, then write (the keyframes outside these frames stay).   Add: keep them and "
        "add the new keyframes.   Cancel: write nothing.";
    switch (askQuestion(getMainWindow(), question)) {
        case QuestionAnswer::First:
            sink.replaceExisting(targets, existing);
            return true;
        case QuestionAnswer::Second:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool applyTransformations(const Transformations& transformations, AEGP_LayerH layer, ApplyOptions options) {
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
    // No frame of the result where the layer shows: no progress window, no step to undo.
    if (target.firstFrame() >= target.endFrame()) {
        if (options.reportNothingToApply) {
            const std::int64_t first = transformations.first;
            reportMessage(nothingToApplyText(first,
                                             first + static_cast<std::int64_t>(transformations.frames.size()),
                                             target.shownFirst(), target.shownEnd()));
        }
        target.finish();
        return true;
    }
    if (!settleExistingKeys(target, model->targets())) {
        target.finish();
        return true;
    }
    model->compute(std::move(sink));
    const std::int32_t total = checkedCount(model->keyframeCount(), "keyframes");

    // Declared after the model, so that on the way out the dialog goes (and the host's window is
    // enabled again) before the sink ends its batch and its undo group.
    ApplyProgressDialog dialog(getMainWindow(), total);
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
