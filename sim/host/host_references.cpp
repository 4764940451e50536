#include "sim/host/host_references.h"

namespace simhost {

const StreamTarget* HostReferences::stream(int ref) const {
    auto found = streams_.find(ref);
    return found == streams_.end() ? nullptr : &found->second;
}

int HostReferences::effect(int ref) const {
    auto found = effects_.find(ref);
    return found == effects_.end() ? 0 : found->second;
}

KeyframeBatch& HostReferences::addBatch(int id, int streamRef) {
    KeyframeBatch& batch = batches_[id];
    batch.streamRef = streamRef;
    return batch;
}

KeyframeBatch* HostReferences::batch(int id) {
    auto found = batches_.find(id);
    return found == batches_.end() ? nullptr : &found->second;
}

void HostReferences::recordChange(HostModel& model, int stream, int keys, int deleted) {
    const std::vector<UndoGroup>& groups = model.undoGroups();
    int group = -1;
    for (std::size_t i = groups.size(); i-- > 0;) {
        if (groups[i].open) {
            group = static_cast<int>(i);
            break;
        }
    }
    changes_.push_back({group, stream, keys, deleted});
}

std::vector<std::string> HostReferences::outstanding() const {
    std::vector<std::string> lines;
    for (const auto& [ref, target] : streams_)
        lines.push_back("stream ref=" + std::to_string(ref) + " layer=" + std::to_string(target.layer) +
                        " effect=" + std::to_string(target.effect) +
                        " index=" + std::to_string(target.index));
    for (const auto& [ref, effect] : effects_)
        lines.push_back("effect ref=" + std::to_string(ref) + " effect=" + std::to_string(effect));
    for (const auto& [id, batch] : batches_)
        lines.push_back("batch id=" + std::to_string(id) + " stream=" + std::to_string(batch.streamRef) +
                        " keys=" + std::to_string(batch.keys.size()));
    return lines;
}

void HostReferences::clear() {
    streams_.clear();
    effects_.clear();
    batches_.clear();
    changes_.clear();
}

}  // namespace simhost
