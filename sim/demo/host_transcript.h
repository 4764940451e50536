#pragma once

#include <array>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace demoreport {

// What skelda-host printed about the project ("dump") and about layers ("corners"), read back.

struct Point {
    double x = 0;
    double y = 0;
};

// A value at a time: a keyframe (time in seconds) or a per-frame value (time in frames).
struct Sample {
    double time = 0;
    std::vector<double> value;
};

struct TranscriptItem {
    int id = 0;
    std::string type;  // "folder", "footage", "comp", ...
    std::string name;
    int width = 0;
    int height = 0;
    double fps = 0;  // compositions and footage
    int files = 0;   // footage
    std::string firstFile;
};

struct TranscriptStream {
    int id = 0;
    int owner = 0;  // a layer's or an effect's id
    std::string name;
    std::vector<Sample> keys;  // time in seconds of layer time
};

struct TranscriptEffect {
    int id = 0;
    int layer = 0;
    std::string name;
    std::vector<int> params;  // stream ids, parameter 1 first
};

struct TranscriptLayer {
    int id = 0;
    int comp = 0;
    int source = 0;
    double offset = 0;         // seconds of composition time at which the layer's time 0 falls
    std::vector<int> streams;  // the layer's own animated properties
    std::vector<int> effects;  // in order of application
};

// The four corners of a layer's source (upper left, upper right, lower left, lower right) where
// the host shows them at a composition frame.
struct CornerSample {
    int frame = 0;
    std::array<Point, 4> corners;
};

class HostTranscript {
public:
    // Reads every line it knows and skips the others (menus, echoes, reports). A later dump of the
    // project replaces an earlier one; corners accumulate. Raises std::runtime_error naming the
    // line for a line it knows that is malformed.
    static HostTranscript read(std::istream& in);

    const std::map<int, TranscriptItem>& items() const { return items_; }
    const std::map<int, TranscriptLayer>& layers() const { return layers_; }
    const TranscriptItem* item(int id) const;
    const TranscriptLayer* layer(int id) const;
    const TranscriptEffect* effect(int id) const;
    const TranscriptStream* stream(int id) const;
    // The corners printed for a layer, in frame order.
    const std::vector<CornerSample>& corners(int layer) const;

private:
    void readLine(const std::string& line);

    std::map<int, TranscriptItem> items_;
    std::map<int, TranscriptLayer> layers_;
    std::map<int, TranscriptEffect> effects_;
    std::map<int, TranscriptStream> streams_;
    std::map<int, std::vector<CornerSample>> corners_;
};

}  // namespace demoreport
