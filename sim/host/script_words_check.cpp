// fail, offer, reports, suites, calls, echo.
#include "sim/host/script_words.h"

namespace simhost {

namespace {

void fail(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 3, 3, "fail OPERATION K CODE");
    const int k = scriptInt(args[1], "K");
    if (k < 1) throw ScriptError("K counts from 1");
    const int code = scriptInt(args[2], "CODE");
    if (code == 0) throw ScriptError("a failure needs a non-zero code");
    auto guard = context.host.lock();
    context.host.faults().fail(args[0], k, code);
}

// offer SUITE VERSION none | offer SUITE none | offer SUITE VERSION (offered again)
void offer(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 2, 3, "offer SUITE VERSION none");
    auto guard = context.host.lock();
    if (args.size() == 2 && args[1] == "none") {
        context.host.suites().withdraw(args[0], -1);
        return;
    }
    const int version = scriptInt(args[1], "VERSION");
    if (args.size() == 3) {
        if (args[2] != "none") throw ScriptError("usage: offer SUITE VERSION none");
        context.host.suites().withdraw(args[0], version);
    } else {
        context.host.suites().restore(args[0], version);
    }
}

void reports(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 1, "reports [clear]");
    auto guard = context.host.lock();
    if (!args.empty()) {
        if (args[0] != "clear") throw ScriptError("usage: reports [clear]");
        context.host.reports().clear();
        return;
    }
    for (const std::string& text : context.host.reports()) context.out << text << '\n';
}

void suites(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 0, "suites");
    auto guard = context.host.lock();
    const auto outstanding = context.host.suites().outstanding();
    if (outstanding.empty()) context.out << "suites balanced\n";
    for (const auto& balance : outstanding)
        context.out << "suite \"" << balance.name << "\" " << balance.version << " held=" << balance.held
                    << '\n';
}

void calls(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 1, "calls [clear]");
    auto guard = context.host.lock();
    if (!args.empty()) {
        if (args[0] != "clear") throw ScriptError("usage: calls [clear]");
        context.host.faults().clearCalls();
        return;
    }
    for (const std::string& call : context.host.faults().calls()) context.out << "call " << call << '\n';
}

void echo(ScriptContext& context, const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) context.out << (i ? " " : "") << args[i];
    context.out << '\n';
}

}  // namespace

void addCheckWords(WordTable& words) {
    words.add("fail", fail);
    words.add("offer", offer);
    words.add("reports", reports);
    words.add("suites", suites);
    words.add("calls", calls);
    words.add("echo", echo);
}

}  // namespace simhost
