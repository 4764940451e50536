// One opening of the host's menu: the update-menu hook called in-process in the simulated host
// while the application (a) runs and answers, (b) does not run, (c) accepts the question and stays
// silent, (d) listens and never accepts. Each beside the raw round trip of the same bytes over the
// same transport with no menu around it (for (c) and (d) within the same limit). The goal: (c)
// and (d) under 100 ms.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "bench/bench_kit.h"
#include "bench/bench_pipe_directory.h"
#include "bench/bench_raw_server.h"
#include "link/pipe.h"
#include "message/message.h"
#include "plugin/application_offer.h"
#include "plugin/plugin_entry.h"
#include "plugin/plugin_state.h"
#include "sim/app/sim_app.h"
#include "sim/host/sim_host.h"
#include "tests/link/silent_server.h"

namespace {

benchkit::PipeDirectory& pipeDirectory() {
    static benchkit::PipeDirectory directory("bench-menu");
    return directory;
}

// The plug-in loaded into a host with a layer active, so that the menu has something to offer.
class MenuScene {
public:
    MenuScene() {
        pipeDirectory();
        host_ = std::make_unique<simhost::SimHost>();
        if (host_->enter(skeldaPluginMain, "bench") != 0)
            throw std::runtime_error("the plug-in did not start");
        host_->model().newProject();
        const int root = host_->model().rootFolder();
        const int comp = host_->model().addComp("Comp", 640, 480, 25, {250, 25}, root);
        const int plate = host_->model().addComp("Plate", 640, 480, 25, {250, 25}, root);
        host_->model().activeLayer = host_->model().addLayer(comp, plate, AEGP_ObjectType_AV);
    }
    ~MenuScene() {
        host_.reset();
        resetPluginState();
    }
    void openMenu() {
        if (host_->updateMenus() != 0 || !host_->reports().empty())
            throw std::runtime_error("the menu failed");
        host_->faults().clearCalls();
    }

private:
    std::unique_ptr<simhost::SimHost> host_;
};

const std::string& questionBytes() {
    static const std::string bytes = Message(MessageType::PossibleActions).toBytes();
    return bytes;
}

simapp::AppSettings answeringSettings() {
    simapp::AppSettings settings;
    settings.actions.overlay = settings.actions.transformations = settings.actions.project = true;
    return settings;
}

// The application's answer, as it sends it.
std::string answerBytes() {
    const simapp::SimApplication application(answeringSettings(), [](const std::string&) {});
    std::string reply;
    ClientPipe(kApplicationPipeName).transact(questionBytes(), reply);
    return reply;
}

// The same traffic as the menu's question, without the menu: the probe, then one exchange.
void rawQuestion(bool limited) {
    ClientPipe client(kApplicationPipeName);
    if (limited) client.setDeadline(PipeClock::now() + kMenuQueryLimit);
    if (!client.isAvailable()) return;
    std::string reply;
    try {
        client.transact(questionBytes(), reply);
    } catch (const std::exception&) {
    }
    benchmark::DoNotOptimize(reply.data());
}

// (a)
void MenuAnswering(benchmark::State& state) {
    MenuScene scene;
    const simapp::SimApplication application(answeringSettings(), [](const std::string&) {});
    for (auto _ : state) scene.openMenu();
}

void RawAnswering(benchmark::State& state) {
    pipeDirectory();
    const benchkit::RawServer server(kApplicationPipeName, answerBytes());
    for (auto _ : state) rawQuestion(false);
}

// (b)
void MenuNotRunning(benchmark::State& state) {
    MenuScene scene;
    for (auto _ : state) scene.openMenu();
}

void RawNotRunning(benchmark::State& state) {
    pipeDirectory();
    for (auto _ : state) rawQuestion(false);
}

// (c) and (d): a fresh silent application for each opening, as a queue of unanswered
// connections would soon make a listener refuse at once.
void silent(benchmark::State& state, bool accepting, bool menu) {
    std::unique_ptr<MenuScene> scene = menu ? std::make_unique<MenuScene>() : nullptr;
    pipeDirectory();
    for (auto _ : state) {
        state.PauseTiming();
        auto application = std::make_unique<linktest::SilentServer>(
            kApplicationPipeName, accepting ? linktest::SilentServer::Kind::accepting
                                            : linktest::SilentServer::Kind::neverAccepting);
        state.ResumeTiming();
        if (scene)
            scene->openMenu();
        else
            rawQuestion(true);
        state.PauseTiming();
        application.reset();
        state.ResumeTiming();
    }
}

void MenuAcceptingSilent(benchmark::State& state) {
    silent(state, true, true);
}
void RawAcceptingSilent(benchmark::State& state) {
    silent(state, true, false);
}
void MenuNeverAccepting(benchmark::State& state) {
    silent(state, false, true);
}
void RawNeverAccepting(benchmark::State& state) {
    silent(state, false, false);
}

BENCHMARK(MenuAnswering)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(RawAnswering)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(MenuNotRunning)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(RawNotRunning)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(MenuAcceptingSilent)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(RawAcceptingSilent)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(MenuNeverAccepting)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(RawNeverAccepting)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Times are in microseconds.
void printPair(const benchkit::LeastTimeReporter& reporter, const char* what, const char* menu,
               const char* raw) {
    const double ours = reporter.least(menu);
    const double base = reporter.least(raw);
    if (ours >= 0 && base >= 0)
        std::printf("%s: menu %.3f ms beside raw %.3f ms\n", what, ours / 1e3, base / 1e3);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("menu question limit %lld ms; goal: (c) and (d) under 100 ms\n",
                static_cast<long long>(kMenuQueryLimit.count()));
    benchkit::LeastTimeReporter reporter(benchkit::LeastTimeReporter::Clock::Real);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printPair(reporter, "(a) answering", "MenuAnswering", "RawAnswering");
    printPair(reporter, "(b) not running", "MenuNotRunning", "RawNotRunning");
    printPair(reporter, "(c) accepting, silent", "MenuAcceptingSilent", "RawAcceptingSilent");
    printPair(reporter, "(d) listening, never accepting", "MenuNeverAccepting", "RawNeverAccepting");
    benchmark::Shutdown();
    return 0;
}
