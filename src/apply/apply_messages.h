#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the apply operation tells and asks the user, in composition frames.

// The question asked before keys in the composition frames [first, end) are written over: the
// properties holding keyframes there (`names`), and the effect the model would key again when
// the layer's last effect is already one (null otherwise).
std::string replaceQuestionText(const std::vector<std::string>& names, const char* reusedEffect,
                                std::int32_t first, std::int32_t end);

// The text shown when a result's frames [recordFirst, recordEnd) and the composition frames where
// the layer shows [shownFirst, shownEnd) have no frame in common.
std::string nothingToApplyText(std::int64_t recordFirst, std::int64_t recordEnd, std::int32_t shownFirst,
                               std::int32_t shownEnd);
