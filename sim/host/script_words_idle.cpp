// idle N, run SECONDS.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "sim/host/script_words.h"

namespace simhost {

namespace {

void idleOnce(ScriptContext& context, A_long* sleep) {
    const A_Err result = context.host.idle(sleep);
    if (result != A_Err_NONE) context.out << "idle result=" << result << '\n';
}

void idle(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 1, "idle [N]");
    const int count = args.empty() ? 1 : scriptInt(args[0], "idle calls");
    for (int i = 0; i < count; ++i) idleOnce(context, nullptr);
}

void run(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 1, "run SECONDS");
    char* end = nullptr;
    const double seconds = std::strtod(args[0].c_str(), &end);
    if (*end != '\0' || !(seconds >= 0) || seconds > 3600) throw ScriptError("not a duration: " + args[0]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        A_long sleep = 1;  // sixtieths of a second
        idleOnce(context, &sleep);
        const auto pause =
            std::chrono::milliseconds(std::max<A_long>(1, std::min<A_long>(sleep * 1000 / 60, 10)));
        if (std::chrono::steady_clock::now() + pause >= deadline) break;
        std::this_thread::sleep_for(pause);
    } while (std::chrono::steady_clock::now() < deadline);
}

}  // namespace

void addIdleWords(WordTable& words) {
    words.add("idle", idle);
    words.add("run", run);
}

}  // namespace simhost
