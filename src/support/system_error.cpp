#include "support/system_error.h"

#include "support/xtd_exception.h"

namespace detail {

std::string systemErrorText(const std::string& systemText, const char* action) {
    std::string text = "System error";
    if (!systemText.empty()) text += ": " + systemText;
    text += "\nas a result of ";
    text += action;
    return text;
}

}  // namespace detail

void throwSystemErrorText(const std::string& systemText, const char* action) {
    throw xtd::exception(detail::systemErrorText(systemText, action));
}
