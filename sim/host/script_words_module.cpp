// load, quit, hooks, flavors.
#include <cstdio>

#include "sim/host/script_words.h"

namespace simhost {

namespace {

void load(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 1, "load PATH");
    const SimHost::LoadResult loaded = context.host.loadModule(args[0]);
    context.out << "loaded \"" << loaded.name << "\" entry=" << loaded.entryPoint
                << " result=" << loaded.result << '\n';
}

void quit(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 0, "quit");
    context.host.shutdown();
    context.quit = true;
}

void hooks(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 0, "hooks");
    auto guard = context.host.lock();
    for (const RegisteredHook& hook : context.host.registrations().hooks) {
        context.out << hookKindName(hook.kind) << " plugin=" << hook.plugin;
        if (hook.kind == HookKind::Command)
            context.out << " priority=" << hook.priority << " command=" << hook.command;
        context.out << " refcon=" << (hook.refcon == nullptr ? "0" : "set") << '\n';
    }
}

std::string hex32(A_u_long value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(value));
    return text;
}

void flavors(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 0, "flavors");
    auto guard = context.host.lock();
    for (const ImportFlavor& flavor : context.host.registrations().flavors) {
        context.out << "flavor id=" << flavor.id << " name=\"" << flavor.name << "\" types=";
        for (std::size_t i = 0; i < flavor.fileTypes.size(); ++i)
            context.out << (i ? "," : "") << hex32(flavor.fileTypes[i].type) << '/'
                        << hex32(flavor.fileTypes[i].creator);
        context.out << " extensions=";
        for (std::size_t i = 0; i < flavor.extensions.size(); ++i) {
            const AEGP_FileExtension& e = flavor.extensions[i];
            context.out << (i ? "," : "")
                        << std::string(e.extension, std::find(e.extension, e.extension + 8, '\0'));
        }
        context.out << " flags=" << flavor.flags << " callbacks=" << (flavor.hasCallbacks ? 1 : 0) << '\n';
    }
}

}  // namespace

void addModuleWords(WordTable& words) {
    words.add("load", load);
    words.add("quit", quit);
    words.add("hooks", hooks);
    words.add("flavors", flavors);
}

}  // namespace simhost
