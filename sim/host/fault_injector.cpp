#include "sim/host/fault_injector.h"

#include <algorithm>

namespace simhost {

void FaultInjector::fail(const std::string& operation, int k, A_Err code) {
    if (k >= 1) armed_.push_back({operation, k, code});
}

A_Err FaultInjector::onCall(const std::string& operation) {
    calls_.push_back(operation);
    A_Err result = A_Err_NONE;
    for (Armed& armed : armed_) {
        if (armed.operation == operation && --armed.remaining == 0 && result == A_Err_NONE)
            result = armed.code;
    }
    armed_.erase(
        std::remove_if(armed_.begin(), armed_.end(), [](const Armed& a) { return a.remaining <= 0; }),
        armed_.end());
    return result;
}

int FaultInjector::count(const std::string& operation) const {
    return static_cast<int>(std::count(calls_.begin(), calls_.end(), operation));
}

}  // namespace simhost
