#pragma once

#include <string>
#include <vector>

#include "aegp_suites.h"

namespace simhost {

// Fails chosen calls of named host operations ("AEGP_GetActiveLayer", as in the operation
// table) and logs every operation call in order.
class FaultInjector {
public:
    // The k-th call of the operation from now on (k = 1: the next one) returns `code`.
    void fail(const std::string& operation, int k, A_Err code);
    void clear() { armed_.clear(); }

    // Records the call; the code to fail it with, or 0 to let it run.
    A_Err onCall(const std::string& operation);

    const std::vector<std::string>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    // How many calls of that operation are logged.
    int count(const std::string& operation) const;

private:
    struct Armed {
        std::string operation;
        int remaining;
        A_Err code;
    };
    std::vector<Armed> armed_;
    std::vector<std::string> calls_;
};

}  // namespace simhost
