#include "link/error_report.h"

#include <atomic>

namespace {

std::atomic<ErrorBoxFunction> gErrorBox{nullptr};

}  // namespace

ErrorBoxFunction setErrorBox(ErrorBoxFunction show) {
    return gErrorBox.exchange(show);
}

void showErrorBox(const std::string& text) {
    if (const ErrorBoxFunction show = gErrorBox.load())
        show(text);
    else
        detail::showSystemErrorBox(text);
}
