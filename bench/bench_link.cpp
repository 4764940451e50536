// The application link over real pipes, each beside a raw baseline of the same bytes over the
// same transport: (a) the PossibleActions round trip every menu update costs, with the
// message built, sent, parsed and answered; (b) a 100,000-frame Transformations push, read into
// a Transformations record by the server. The baselines send the same request bytes and get the
// same reply bytes from a server that only echoes a stored reply.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "bench/bench_pipe_directory.h"
#include "bench/bench_raw_server.h"
#include "link/message_server.h"
#include "link/pipe.h"
#include "link/requests.h"
#include "message/message.h"
#include "message/possible_actions.h"
#include "message/xml_archive.h"
#include "tracking/transformations.h"
#include "tracking/transformations_xml.h"

namespace {

benchkit::PipeDirectory& pipeDirectory() {
    static benchkit::PipeDirectory directory("bench");
    return directory;
}

// What the application answers, and what the plug-in does with a push.
class LinkServer : public MessageServer {
public:
    explicit LinkServer(const std::string& name) : MessageServer(name) { resume(); }
    ~LinkServer() override { stop(); }

protected:
    void error(const std::string&) override {}
    bool handle(Message& message) override {
        if (message.type() == MessageType::PossibleActions) {
            PossibleActions actions;
            actions.overlay = actions.transformations = true;
            message.init(MessageType::PossibleActions);
            serializePossibleActions(XmlArchive::writer(message.root()), actions);
            return true;
        }
        if (message.type() == MessageType::Transformations) {
            Transformations transformations;
            serializeTransformations(XmlArchive::reader(message.root()), transformations);
            benchmark::DoNotOptimize(transformations.frames.data());
            message.init(MessageType::Empty);
            return true;
        }
        return false;
    }
};

std::string transformationsMessage(int frames) {
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0, 0.2);
    Transformations transformations;
    transformations.frames.resize(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        Transform& t = transformations.frames[static_cast<std::size_t>(i)];
        t.x = 1.5 * i + noise(random);
        t.y = -0.5 * i + noise(random);
        t.xx = t.yy = 1 + 1e-4 * i;
        t.xy = 0.001 * noise(random);
        t.yx = -t.xy;
    }
    Message message(MessageType::Transformations);
    serializeTransformations(XmlArchive::writer(message.root()), transformations);
    return message.toBytes();
}

std::string possibleActionsReply() {
    Message message(MessageType::PossibleActions);
    PossibleActions actions;
    actions.overlay = actions.transformations = true;
    serializePossibleActions(XmlArchive::writer(message.root()), actions);
    return message.toBytes();
}

void PossibleActionsQuery(benchmark::State& state) {
    pipeDirectory();
    LinkServer server("\\\\.\\pipe\\bench-query");
    for (auto _ : state) {
        PossibleActions actions;
        queryPossibleActions("\\\\.\\pipe\\bench-query", actions);
        benchmark::DoNotOptimize(actions);
    }
}

void PossibleActionsRaw(benchmark::State& state) {
    pipeDirectory();
    benchkit::RawServer server("\\\\.\\pipe\\bench-query-raw", possibleActionsReply());
    const ClientPipe client("\\\\.\\pipe\\bench-query-raw");
    const std::string request = Message(MessageType::PossibleActions).toBytes();
    for (auto _ : state) {
        // The same traffic as the query: its probe, then the one exchange.
        benchmark::DoNotOptimize(client.isAvailable());
        std::string reply;
        client.transact(request, reply);
        benchmark::DoNotOptimize(reply.data());
    }
}

void TransformationsPush(benchmark::State& state) {
    pipeDirectory();
    LinkServer server("\\\\.\\pipe\\bench-push");
    const ClientPipe client("\\\\.\\pipe\\bench-push");
    const std::string bytes = transformationsMessage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string reply;
        client.transact(bytes, reply);
        benchmark::DoNotOptimize(reply.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
    state.counters["message_MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void TransformationsRaw(benchmark::State& state) {
    pipeDirectory();
    benchkit::RawServer server("\\\\.\\pipe\\bench-push-raw", Message(MessageType::Empty).toBytes());
    const ClientPipe client("\\\\.\\pipe\\bench-push-raw");
    const std::string bytes = transformationsMessage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string reply;
        client.transact(bytes, reply);
        benchmark::DoNotOptimize(reply.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

}  // namespace

BENCHMARK(PossibleActionsQuery)->UseRealTime();
BENCHMARK(PossibleActionsRaw)->UseRealTime();
BENCHMARK(TransformationsPush)->Arg(100000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(TransformationsRaw)->Arg(100000)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
