#include "plugin/apply_progress_dialog.h"

const char kApplyInterruptedText[] = "Application of transforms to layer interrupted by user.\n";
const char kApplyProgressTitle[] = "Application of transforms to layer...";

std::string progressText(std::int32_t step, std::int32_t total) {
    return std::to_string(step) + " / " + std::to_string(total);
}
