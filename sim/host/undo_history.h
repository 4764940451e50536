#pragma once

#include <cstddef>
#include <vector>

#include "sim/host/host_model.h"

namespace simhost {

// The project as it was before each outermost undo group, so that the last one can be undone.
class UndoHistory {
public:
    // Called as an outermost group opens; `group` is its index in the model's undo groups.
    void opening(const HostModel& model, std::size_t group);
    // Puts the project back as it was before the last group that is closed and not yet undone,
    // keeping the undo log (the group is marked undone). False when there is none.
    bool undoLast(HostModel& model);
    void clear() { snapshots_.clear(); }

private:
    struct Snapshot {
        std::size_t group = 0;
        HostModel before;
    };
    std::vector<Snapshot> snapshots_;
};

}  // namespace simhost
