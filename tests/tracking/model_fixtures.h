#pragma once

// Export model runs on a sink that records every call, and the host's view of what was recorded:
// keys per target, interpolated linearly between frames.

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tracking/keyframe_sink.h"
#include "tracking/model_choice.h"
#include "tracking/transformations.h"

namespace testkit {

// Scale s and rotation `angle` (radians) about the origin, then a shift.
inline Transform similarity(double s, double angle, double x, double y) {
    return {x, y, s * std::cos(angle), -s * std::sin(angle), s * std::sin(angle), s * std::cos(angle)};
}

// A wandering affine motion: every parameter a slow sine, so that thinning keeps some keys.
inline Transformations wanderingRecord(std::size_t frames, std::int32_t first, float tolerance) {
    Transformations t;
    t.first = first;
    t.exportInaccuracy = tolerance;
    for (std::size_t i = 0; i < frames; ++i) {
        const double f = static_cast<double>(i);
        t.frames.push_back({40 * std::sin(f / 7), 25 * std::cos(f / 9), 1 + 0.2 * std::sin(f / 11),
                            0.15 * std::sin(f / 8), 0.1 * std::cos(f / 13), 0.9 + 0.1 * std::cos(f / 10)});
    }
    return t;
}

// A call as a target ("layer N", "effect NAME", "param N") or a key (empty target; x alone for a
// scalar key).
struct SinkCall {
    std::string target;
    std::int32_t frame = 0;
    double x = 0;
    double y = 0;
    bool scalar = false;

    bool isKey() const { return target.empty(); }
};

// Outlives the sink, which the model owns and destroys.
struct SinkLog {
    std::vector<SinkCall> calls;
    int destroyed = 0;
};

class RecordingSink : public KeyframeSink {
public:
    RecordingSink(std::shared_ptr<SinkLog> log, std::int32_t width, std::int32_t height,
                  std::int32_t firstFrame, std::int32_t endFrame)
        : log_(std::move(log)) {
        width_ = width;
        height_ = height;
        firstFrame_ = firstFrame;
        endFrame_ = endFrame;
    }
    ~RecordingSink() override { ++log_->destroyed; }

    void selectLayerStream(LayerStream stream) override {
        log_->calls.push_back({"layer " + std::to_string(static_cast<int>(stream))});
    }
    void applyEffect(const std::string& name) override { log_->calls.push_back({"effect " + name}); }
    void selectEffectStream(std::int32_t index) override {
        log_->calls.push_back({"param " + std::to_string(index)});
    }
    void addPointKey(std::int32_t frame, double x, double y) override {
        log_->calls.push_back({"", frame, x, y, false});
    }
    void addScalarKey(std::int32_t frame, double value) override {
        log_->calls.push_back({"", frame, value, 0, true});
    }

private:
    std::shared_ptr<SinkLog> log_;
};

// The calls as one line: the targets, and "keys" for each run of keys, joined by ", ".
inline std::string outline(const std::vector<SinkCall>& calls) {
    std::string line;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].isKey() && i > 0 && calls[i - 1].isKey()) continue;
        line += (line.empty() ? "" : ", ") + (calls[i].isKey() ? std::string("keys") : calls[i].target);
    }
    return line;
}

// The keys written to one stream, in order.
struct Track {
    std::string target;  // "layer N" or "param N" of the effect applied last
    std::vector<SinkCall> keys;

    // The value the host shows at a frame: linear between keys, held before the first and after
    // the last.
    std::pair<double, double> at(double frame) const {
        if (keys.empty()) return {0, 0};
        if (frame <= keys.front().frame) return {keys.front().x, keys.front().y};
        for (std::size_t i = 1; i < keys.size(); ++i) {
            if (frame <= keys[i].frame) {
                const SinkCall& a = keys[i - 1];
                const SinkCall& b = keys[i];
                const double t = (frame - a.frame) / (b.frame - a.frame);
                return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
            }
        }
        return {keys.back().x, keys.back().y};
    }
};

inline std::vector<Track> tracksOf(const std::vector<SinkCall>& calls) {
    std::vector<Track> tracks;
    for (const SinkCall& c : calls) {
        if (c.isKey() && !tracks.empty()) tracks.back().keys.push_back(c);
        if (c.target.rfind("effect ", 0) != 0 && !c.isKey()) tracks.push_back({c.target, {}});
    }
    return tracks;
}

inline const Track* findTrack(const std::vector<Track>& tracks, const std::string& target) {
    for (const Track& t : tracks) {
        if (t.target == target) return &t;
    }
    return nullptr;
}

// Runs emitNext until it returns false; returns the number of calls (bounded, so a model that never
// stops fails the test instead of hanging it).
inline std::size_t emitAll(KeyframeModel& model, std::size_t limit = 10000000) {
    std::size_t calls = 0;
    while (calls < limit) {
        ++calls;
        if (!model.emitNext()) break;
    }
    return calls;
}

// A model of the given kind, computed on the record over the frames [first, end) of a
// width x height item, with its sink's log; `emitted` runs it to the end as well.
struct ModelRun {
    std::unique_ptr<KeyframeModel> model;
    std::shared_ptr<SinkLog> log = std::make_shared<SinkLog>();

    ModelRun(ExportModel kind, const Transformations& record, std::int32_t width, std::int32_t height,
             std::int32_t first, std::int32_t end, bool emitted = false)
        : model(createModel(kind)) {
        model->setSource(record);
        model->compute(std::make_unique<RecordingSink>(log, width, height, first, end));
        if (emitted) emitAll(*model);
    }

    std::vector<Track> tracks() const { return tracksOf(log->calls); }
    std::size_t keysWritten() const {
        std::size_t n = 0;
        for (const SinkCall& c : log->calls) n += c.isKey() ? 1 : 0;
        return n;
    }
};

}  // namespace testkit
