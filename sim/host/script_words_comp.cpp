// comp, layer, camera, activate, evaluate.
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "sim/host/layer_evaluation.h"
#include "sim/host/object_handles.h"
#include "sim/host/script_words.h"

namespace simhost {

namespace {

Item& compItem(ScriptContext& context, const std::string& text) {
    Item* comp = context.host.model().item(scriptInt(text, "COMP"));
    if (comp == nullptr || comp->type != AEGP_ItemType_COMP) throw ScriptError("no composition " + text);
    return *comp;
}

void comp(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 5, 6, "comp NAME WIDTH HEIGHT FPS FRAMES [NUM/DEN]");
    const int width = scriptInt(args[1], "WIDTH");
    const int height = scriptInt(args[2], "HEIGHT");
    const double fps = scriptReal(args[3], "FPS");
    const int frames = scriptInt(args[4], "FRAMES");
    if (width <= 0 || height <= 0 || !(fps >= 1 && fps <= 1000) || frames <= 0)
        throw ScriptError("a composition needs a positive size, rate and length");
    A_Ratio pixel{1, 1};
    if (args.size() == 6) {
        const std::size_t slash = args[5].find('/');
        if (slash == std::string::npos) throw ScriptError("pixel aspect ratio as NUM/DEN: " + args[5]);
        const int num = scriptInt(args[5].substr(0, slash), "NUM");
        const int den = scriptInt(args[5].substr(slash + 1), "DEN");
        if (num <= 0 || den <= 0) throw ScriptError("pixel aspect ratio as NUM/DEN: " + args[5]);
        pixel = {num, static_cast<A_u_long>(den)};
    }
    auto guard = context.host.lock();
    HostModel& model = context.host.model();
    if (!model.projectOpen()) throw ScriptError("no project is open");
    const int id = model.addComp(args[0], width, height, fps, framesTime(frames, fps), model.rootFolder());
    model.item(id)->comp.pixelAspect = pixel;
    context.out << "item " << id << '\n';
}

void layer(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 2, 2, "layer COMP ITEM");
    auto guard = context.host.lock();
    HostModel& model = context.host.model();
    const Item& target = compItem(context, args[0]);
    const Item* source = model.item(scriptInt(args[1], "ITEM"));
    if (source == nullptr || source->id == target.id ||
        (source->type != AEGP_ItemType_FOOTAGE && source->type != AEGP_ItemType_COMP))
        throw ScriptError("no footage or composition " + args[1]);
    const A_Time duration = sourceDuration(*source, target);
    const int id = model.addLayer(target.id, source->id, AEGP_ObjectType_AV);
    model.layer(id)->duration = duration;
    model.layer(id)->inPoint = {0, duration.scale};
    context.out << "layer " << id << '\n';
}

void camera(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 1, "camera COMP");
    auto guard = context.host.lock();
    const Item& target = compItem(context, args[0]);
    context.out << "layer " << context.host.model().addLayer(target.id, 0, AEGP_ObjectType_CAMERA) << '\n';
}

void activate(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 2, "activate item ID | activate layer ID | activate none");
    auto guard = context.host.lock();
    HostModel& model = context.host.model();
    if (args[0] == "none" && args.size() == 1) {
        model.activeItem = 0;
        model.activeLayer = 0;
    } else if (args[0] == "item" && args.size() == 2) {
        const int id = scriptInt(args[1], "ID");
        if (model.item(id) == nullptr) throw ScriptError("no item " + args[1]);
        model.activeItem = id;
        model.activeLayer = 0;
    } else if (args[0] == "layer" && args.size() == 2) {
        const int id = scriptInt(args[1], "ID");
        const Layer* found = model.layer(id);
        if (found == nullptr) throw ScriptError("no layer " + args[1]);
        // A layer is active inside its composition, which is then the active item.
        model.activeItem = found->comp;
        model.activeLayer = id;
    } else {
        throw ScriptError("usage: activate item ID | activate layer ID | activate none");
    }
}

// evaluate LAYER TIME: where the corners of the layer's source show at that composition time.
void evaluate(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 2, 2, "evaluate LAYER VALUE/SCALE|SECONDS");
    auto guard = context.host.lock();
    HostModel& model = context.host.model();
    const int id = scriptInt(args[0], "LAYER");
    const Layer* found = model.layer(id);
    if (found == nullptr) throw ScriptError("no layer " + args[0]);
    const Item* source = model.item(found->source);
    const double w = source != nullptr ? source->width : 0;
    const double h = source != nullptr ? source->height : 0;
    const A_Time time = scriptTime(args[1]);
    std::ostringstream line;
    line << "corners layer=" << id << " time=" << time.value << '/' << time.scale;
    const char* names[] = {"ul", "ur", "ll", "lr"};
    const Point2 corners[] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
    for (int i = 0; i < 4; ++i) {
        const Point2 p = evaluateLayerPoint(model, id, time, corners[i]);
        line << ' ' << names[i] << '=' << p.x << ',' << p.y;
    }
    context.out << line.str() << '\n';
}

}  // namespace

void addCompWords(WordTable& words) {
    words.add("comp", comp);
    words.add("layer", layer);
    words.add("camera", camera);
    words.add("activate", activate);
    words.add("evaluate", evaluate);
}

}  // namespace simhost
