#include "sim/demo/host_transcript.h"

#include <algorithm>
#include <istream>
#include <sstream>
#include <stdexcept>

namespace demoreport {

namespace {

// The "name=value" fields of a line after its first word; a value may be in double quotes.
std::map<std::string, std::string> fieldsOf(const std::string& line) {
    std::map<std::string, std::string> fields;
    std::size_t i = line.find(' ');
    while (i != std::string::npos && i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        const std::size_t equals = line.find('=', i);
        if (equals == std::string::npos) throw std::runtime_error("a field without '='");
        const std::string name = line.substr(i, equals - i);
        std::size_t end;
        std::string value;
        if (equals + 1 < line.size() && line[equals + 1] == '"') {
            end = line.find('"', equals + 2);
            if (end == std::string::npos) throw std::runtime_error("an unterminated quote");
            value = line.substr(equals + 2, end - equals - 2);
            ++end;
        } else {
            end = line.find(' ', equals);
            value = line.substr(equals + 1, end == std::string::npos ? std::string::npos : end - equals - 1);
        }
        fields[name] = value;
        i = end;
    }
    return fields;
}

const std::string& field(const std::map<std::string, std::string>& fields, const char* name) {
    const auto found = fields.find(name);
    if (found == fields.end()) throw std::runtime_error(std::string("no field ") + name);
    return found->second;
}

double number(const std::string& text) {
    std::istringstream in(text);
    double value = 0;
    if (!(in >> value) || !in.eof()) throw std::runtime_error("not a number: " + text);
    return value;
}

int integer(const std::string& text) {
    const double value = number(text);
    if (value != static_cast<int>(value)) throw std::runtime_error("not a whole number: " + text);
    return static_cast<int>(value);
}

// "X,Y,..." as numbers.
std::vector<double> numbers(const std::string& text) {
    std::vector<double> values;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');) values.push_back(number(part));
    if (values.empty()) throw std::runtime_error("no value");
    return values;
}

// "VALUE/SCALE" in seconds.
double seconds(const std::string& text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) throw std::runtime_error("a time without '/': " + text);
    const double scale = number(text.substr(slash + 1));
    if (scale <= 0) throw std::runtime_error("a time scale must be positive: " + text);
    return number(text.substr(0, slash)) / scale;
}

Point point(const std::string& text) {
    const std::vector<double> values = numbers(text);
    if (values.size() != 2) throw std::runtime_error("not a point: " + text);
    return {values[0], values[1]};
}

bool startsWith(const std::string& line, const char* prefix) {
    return line.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

HostTranscript HostTranscript::read(std::istream& in) {
    HostTranscript transcript;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        try {
            transcript.readLine(line);
        } catch (const std::exception& e) {
            throw std::runtime_error("host transcript line " + std::to_string(number) + ": " + e.what() +
                                     ": " + line);
        }
    }
    return transcript;
}

void HostTranscript::readLine(const std::string& line) {
    if (startsWith(line, "project ")) {
        // A new dump: what an earlier one said is out of date.
        items_.clear();
        layers_.clear();
        effects_.clear();
        streams_.clear();
    } else if (startsWith(line, "item id=")) {
        const auto f = fieldsOf(line);
        TranscriptItem item;
        item.id = integer(field(f, "id"));
        item.type = field(f, "type");
        item.name = field(f, "name");
        if (f.count("width")) item.width = integer(field(f, "width"));
        if (f.count("height")) item.height = integer(field(f, "height"));
        if (f.count("fps")) item.fps = number(field(f, "fps"));
        if (f.count("files")) item.files = integer(field(f, "files"));
        if (f.count("first")) item.firstFile = field(f, "first");
        items_[item.id] = item;
    } else if (startsWith(line, "layer id=")) {
        const auto f = fieldsOf(line);
        TranscriptLayer layer;
        layer.id = integer(field(f, "id"));
        layer.comp = integer(field(f, "comp"));
        layer.source = integer(field(f, "source"));
        if (f.count("offset")) layer.offset = seconds(field(f, "offset"));
        layers_[layer.id] = layer;
    } else if (startsWith(line, "effect id=")) {
        const auto f = fieldsOf(line);
        TranscriptEffect effect;
        effect.id = integer(field(f, "id"));
        effect.layer = integer(field(f, "layer"));
        effect.name = field(f, "name");
        const auto owner = layers_.find(effect.layer);
        if (owner == layers_.end()) throw std::runtime_error("an effect of an unknown layer");
        owner->second.effects.push_back(effect.id);
        effects_[effect.id] = effect;
    } else if (startsWith(line, "stream id=")) {
        const auto f = fieldsOf(line);
        TranscriptStream stream;
        stream.id = integer(field(f, "id"));
        stream.owner = integer(field(f, "owner"));
        stream.name = field(f, "name");
        if (layers_.count(stream.owner))
            layers_[stream.owner].streams.push_back(stream.id);
        else if (effects_.count(stream.owner))
            effects_[stream.owner].params.push_back(stream.id);
        else
            throw std::runtime_error("a stream of an unknown owner");
        streams_[stream.id] = stream;
    } else if (startsWith(line, "key stream=")) {
        const auto f = fieldsOf(line);
        const auto stream = streams_.find(integer(field(f, "stream")));
        if (stream == streams_.end()) throw std::runtime_error("a key of an unknown stream");
        stream->second.keys.push_back({seconds(field(f, "time")), numbers(field(f, "value"))});
    } else if (startsWith(line, "corners layer=")) {
        const auto f = fieldsOf(line);
        if (!f.count("frame")) return;  // a single evaluation at a time, not a frame
        CornerSample sample;
        sample.frame = integer(field(f, "frame"));
        const char* names[] = {"ul", "ur", "ll", "lr"};
        for (int i = 0; i < 4; ++i) sample.corners[static_cast<std::size_t>(i)] = point(field(f, names[i]));
        std::vector<CornerSample>& samples = corners_[integer(field(f, "layer"))];
        // The host prints frames in order; a second run for the same layer is put in place.
        const auto later = std::upper_bound(samples.begin(), samples.end(), sample.frame,
                                            [](int frame, const CornerSample& s) { return frame < s.frame; });
        samples.insert(later, sample);
    }
}

const TranscriptItem* HostTranscript::item(int id) const {
    const auto found = items_.find(id);
    return found == items_.end() ? nullptr : &found->second;
}

const TranscriptLayer* HostTranscript::layer(int id) const {
    const auto found = layers_.find(id);
    return found == layers_.end() ? nullptr : &found->second;
}

const TranscriptEffect* HostTranscript::effect(int id) const {
    const auto found = effects_.find(id);
    return found == effects_.end() ? nullptr : &found->second;
}

const TranscriptStream* HostTranscript::stream(int id) const {
    const auto found = streams_.find(id);
    return found == streams_.end() ? nullptr : &found->second;
}

const std::vector<CornerSample>& HostTranscript::corners(int layer) const {
    static const std::vector<CornerSample> none;
    const auto found = corners_.find(layer);
    return found == corners_.end() ? none : found->second;
}

}  // namespace demoreport
