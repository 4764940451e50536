#pragma once

#include <map>
#include <string>
#include <vector>

#include "aegp_suites.h"
#include "sim/host/host_model.h"

namespace simhost {

// What a stream reference stands for: a layer's own property or an effect's parameter.
struct StreamTarget {
    int layer = 0;   // the layer, also for an effect's parameter
    int effect = 0;  // 0 for the layer's own property
    int index = 0;   // AEGP_LayerStream, or the parameter number (1 = first)

    friend bool operator==(const StreamTarget& a, const StreamTarget& b) {
        return a.layer == b.layer && a.effect == b.effect && a.index == b.index;
    }
};

// Keyframes added to a batch and not yet committed.
struct KeyframeBatch {
    int streamRef = 0;
    struct Pending {
        A_Time time{0, 1};  // layer time
        bool valueSet = false;
        std::vector<double> value;
    };
    std::vector<Pending> keys;
};

// One change to the project and the undo group it fell into.
struct RecordedChange {
    int undoGroup = -1;  // index into the model's undo groups, -1 outside any group
    int stream = 0;      // the stream's id, 0 for an effect applied
    int keys = 0;        // keyframes added
    int deleted = 0;     // keyframes deleted
};

// The references the host handed out and must get back (streams, effects, keyframe batches), and
// the log of the changes made through them.
class HostReferences {
public:
    int addStream(int id, const StreamTarget& target) { return streams_[id] = target, id; }
    const StreamTarget* stream(int ref) const;
    bool disposeStream(int ref) { return streams_.erase(ref) != 0; }

    int addEffect(int id, int effect) { return effects_[id] = effect, id; }
    // The effect's id, or 0.
    int effect(int ref) const;
    bool disposeEffect(int ref) { return effects_.erase(ref) != 0; }

    KeyframeBatch& addBatch(int id, int streamRef);
    KeyframeBatch* batch(int id);
    bool endBatch(int id) { return batches_.erase(id) != 0; }

    // Logs a change under the innermost undo group open in the model.
    void recordChange(HostModel& model, int stream, int keys, int deleted = 0);
    const std::vector<RecordedChange>& changes() const { return changes_; }

    // One line per reference still held, "stream ref=... layer=... effect=... index=...",
    // "effect ref=... effect=...", "batch id=... stream=... keys=..."; empty when balanced.
    std::vector<std::string> outstanding() const;
    void clear();

private:
    std::map<int, StreamTarget> streams_;
    std::map<int, int> effects_;
    std::map<int, KeyframeBatch> batches_;
    std::vector<RecordedChange> changes_;
};

}  // namespace simhost
