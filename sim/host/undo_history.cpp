#include "sim/host/undo_history.h"

namespace simhost {

void UndoHistory::opening(const HostModel& model, std::size_t group) {
    snapshots_.push_back({group, model});
}

bool UndoHistory::undoLast(HostModel& model) {
    std::vector<UndoGroup>& groups = model.undoGroups();
    for (auto it = snapshots_.rbegin(); it != snapshots_.rend(); ++it) {
        if (it->group >= groups.size() || groups[it->group].open || groups[it->group].undone) continue;
        std::vector<UndoGroup> log = groups;
        log[it->group].undone = true;
        model = it->before;
        model.undoGroups() = log;
        snapshots_.erase(std::next(it).base());
        return true;
    }
    return false;
}

}  // namespace simhost
