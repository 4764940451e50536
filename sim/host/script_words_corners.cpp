// corners.
#include <cmath>
#include <iomanip>
#include <sstream>

#include "sim/host/host_time.h"
#include "sim/host/layer_evaluation.h"
#include "sim/host/script_words.h"

namespace simhost {

namespace {

// The composition time of frame f: exact at whole rates, to a hundred-thousandth of a second
// otherwise.
A_Time frameTime(long long frame, double fps) {
    if (fps == std::floor(fps)) return {static_cast<A_long>(frame), static_cast<A_u_long>(fps)};
    return {static_cast<A_long>(std::llround(frame * 100000.0 / fps)), 100000};
}

// corners LAYER: for every composition frame the layer spans, where the four corners of its
// source show, with every digit, so that a program can measure the layer against a motion.
void corners(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 1, "corners LAYER");
    auto guard = context.host.lock();
    HostModel& model = context.host.model();
    const Layer* layer = model.layer(scriptInt(args[0], "LAYER"));
    if (layer == nullptr) throw ScriptError("no layer " + args[0]);
    const Item* comp = model.item(layer->comp);
    const Item* source = model.item(layer->source);
    if (comp == nullptr || source == nullptr) throw ScriptError("layer " + args[0] + " shows no source");
    const double fps = comp->comp.fps;
    const double start = timeSeconds(layer->offset) + timeSeconds(layer->inPoint);
    const double end = start + timeSeconds(layer->duration);
    // Half a microsecond of slack keeps frames that fall on the span's ends in or out as exactly
    // as the times allow.
    const long long first = static_cast<long long>(std::ceil(start * fps - 1e-6));
    const double w = source->width, h = source->height;
    const Point2 points[] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
    const char* names[] = {"ul", "ur", "ll", "lr"};
    std::ostringstream lines;
    lines << std::setprecision(17);
    for (long long f = first; f / fps < end - 1e-6; ++f) {
        const A_Time time = frameTime(f, fps);
        lines << "corners layer=" << layer->id << " frame=" << f;
        for (int i = 0; i < 4; ++i) {
            const Point2 p = evaluateLayerPoint(model, layer->id, time, points[i]);
            lines << ' ' << names[i] << '=' << p.x << ',' << p.y;
        }
        lines << '\n';
    }
    context.out << lines.str();
}

}  // namespace

void addCornerWords(WordTable& words) {
    words.add("corners", corners);
}

}  // namespace simhost
