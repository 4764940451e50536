#pragma once

// A keyframe sink that records every call, for tests of the export models, and the host's view of
// what was recorded: keys per target, interpolated linearly between frames.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tracking/keyframe_model.h"
#include "tracking/keyframe_sink.h"

namespace testkit {

// A call as a target ("layer N", "effect NAME", "param N") or a key (empty target).
struct SinkCall {
    std::string target;
    std::int32_t frame = 0;
    double x = 0;  // the value of a scalar key
    double y = 0;
    bool scalar = false;

    static SinkCall to(std::string target) {
        SinkCall c;
        c.target = std::move(target);
        return c;
    }
    static SinkCall key(std::int32_t frame, double x, double y, bool scalar) {
        SinkCall c;
        c.frame = frame;
        c.x = x;
        c.y = y;
        c.scalar = scalar;
        return c;
    }
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
        log_->calls.push_back(SinkCall::to("layer " + std::to_string(static_cast<int>(stream))));
    }
    void applyEffect(const std::string& name) override {
        log_->calls.push_back(SinkCall::to("effect " + name));
    }
    void selectEffectStream(std::int32_t index) override {
        log_->calls.push_back(SinkCall::to("param " + std::to_string(index)));
    }
    void addPointKey(std::int32_t frame, double x, double y) override {
        log_->calls.push_back(SinkCall::key(frame, x, y, false));
    }
    void addScalarKey(std::int32_t frame, double value) override {
        log_->calls.push_back(SinkCall::key(frame, value, 0, true));
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

}  // namespace testkit
