// project new|close, dump.
#include "sim/host/script_words.h"

namespace simhost {

namespace {

void project(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 1, "project new|close");
    auto guard = context.host.lock();
    if (args[0] == "new")
        context.host.model().newProject();
    else if (args[0] == "close")
        context.host.model().closeProject();
    else
        throw ScriptError("usage: project new|close");
}

void dump(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 0, "dump");
    auto guard = context.host.lock();
    context.host.model().dump(context.out);
}

}  // namespace

void addProjectWords(WordTable& words) {
    words.add("project", project);
    words.add("dump", dump);
}

}  // namespace simhost
