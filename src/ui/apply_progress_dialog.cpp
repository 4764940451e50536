#include "ui/apply_progress_dialog.h"

const char kApplyInterruptedText[] = "Application of transforms to layer interrupted by user.\n";
const char kApplyProgressTitle[] = "Application of transforms to layer...";

std::string progressText(std::int32_t step, std::int32_t total) {
    return std::to_string(step) + " / " + std::to_string(total);
}

bool ApplyProgressDialog::advance(std::int32_t step) {
    if (window_ == nullptr) return false;
    if (pace_.due(step, total_ - 1)) show(step);
    if (!userCancelled(step)) return false;
    // The count the user is left with is the one the apply stopped at.
    if (shown_ != step) show(step);
    return true;
}
