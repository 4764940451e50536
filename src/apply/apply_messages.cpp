#include "apply/apply_messages.h"

namespace {

std::string frames(std::int64_t first, std::int64_t end) {
    if (end - first == 1) return "frame " + std::to_string(first);
    return "frames " + std::to_string(first) + " to " + std::to_string(end - 1);
}

}  // namespace

std::string replaceQuestionText(const std::vector<std::string>& names, const char* reusedEffect,
                                std::int32_t first, std::int32_t end) {
    const std::string effect =
        reusedEffect != nullptr ? std::string("a \"") + reusedEffect + "\" effect" : "";
    if (names.empty())
        return "The layer's last effect is already " + effect + ". Replace its keyframes in " +
               frames(first, end) + "?";
    std::string text = "The layer already has keyframes in " + frames(first, end) + " on: ";
    for (std::size_t i = 0; i < names.size(); ++i) text += (i ? ", " : "") + names[i];
    text += ".";
    if (reusedEffect != nullptr) text += " Its last effect is already " + effect + ".";
    return text + " Replace them?";
}

std::string nothingToApplyText(std::int64_t recordFirst, std::int64_t recordEnd, std::int32_t shownFirst,
                               std::int32_t shownEnd) {
    const std::string layer = shownEnd > shownFirst
                                  ? "the layer shows in composition " + frames(shownFirst, shownEnd)
                                  : "the layer shows in no composition frame";
    if (recordEnd <= recordFirst)
        return "Nothing to apply: the tracking result has no frames, and " + layer + ".";
    return "Nothing to apply: the tracking result covers " + frames(recordFirst, recordEnd) + " and " +
           layer + ".";
}
