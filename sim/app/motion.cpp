#include "sim/app/motion.h"

#include <cmath>
#include <random>
#include <sstream>
#include <stdexcept>

#include "message/xml_value_text.h"
#include "tracking/transformations_xml.h"

namespace simapp {

namespace {

double number(const std::string& key, const std::string& text) {
    std::istringstream in(text);
    double value = 0;
    if (!(in >> value) || !in.eof()) throw std::invalid_argument("bad value for " + key + ": " + text);
    return value;
}

template <class Enum>
Enum named(const std::string& key, const std::string& text) {
    Enum value{};
    if (!xml::detail::readValue(text.c_str(), value))
        throw std::invalid_argument("bad value for " + key + ": " + text);
    return value;
}

}  // namespace

Transformations generateMotion(const std::string& description, int frames) {
    double dx = 0, dy = 0, rotate = 0, scale = 1, noise = 0;
    unsigned seed = 1;
    Transformations result;
    std::istringstream items(description);
    for (std::string item; std::getline(items, item, ',');) {
        if (item.empty()) continue;
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos) throw std::invalid_argument("expected key=value: " + item);
        const std::string key = item.substr(0, equals), text = item.substr(equals + 1);
        if (key == "dx")
            dx = number(key, text);
        else if (key == "dy")
            dy = number(key, text);
        else if (key == "rotate")
            rotate = number(key, text);
        else if (key == "scale")
            scale = number(key, text);
        else if (key == "noise")
            noise = number(key, text);
        else if (key == "seed")
            seed = static_cast<unsigned>(number(key, text));
        else if (key == "first")
            result.first = static_cast<std::int32_t>(number(key, text));
        else if (key == "inaccuracy")
            result.exportInaccuracy = static_cast<float>(number(key, text));
        else if (key == "model")
            result.exportModel = named<ExportModel>(key, text);
        else if (key == "task")
            result.task = named<Task>(key, text);
        else
            throw std::invalid_argument("unknown key: " + key);
    }
    if (frames < 0) throw std::invalid_argument("a negative number of frames");
    std::mt19937 random(seed);
    std::normal_distribution<double> jitter(0.0, noise > 0 ? noise : 1.0);
    const double pi = std::acos(-1.0);
    result.frames.resize(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        const double angle = rotate * i * pi / 180.0;
        const double factor = std::pow(scale, i);
        Transform& t = result.frames[static_cast<std::size_t>(i)];
        t.xx = factor * std::cos(angle);
        t.xy = -factor * std::sin(angle);
        t.yx = factor * std::sin(angle);
        t.yy = factor * std::cos(angle);
        t.x = dx * i + (noise > 0 ? jitter(random) : 0);
        t.y = dy * i + (noise > 0 ? jitter(random) : 0);
    }
    return result;
}

}  // namespace simapp
