#pragma once

#include <map>
#include <string>
#include <vector>

namespace testkit {

// One place a scenario can fail: the k-th call (from 1) of an operation in its call log.
struct FailurePoint {
    std::string operation;
    int k = 0;

    std::string name() const { return operation + " #" + std::to_string(k); }
};

// Every failure point of a call log, in call order.
inline std::vector<FailurePoint> failurePoints(const std::vector<std::string>& calls) {
    std::map<std::string, int> seen;
    std::vector<FailurePoint> points;
    for (const std::string& operation : calls) points.push_back({operation, ++seen[operation]});
    return points;
}

}  // namespace testkit
