// Reading and writing a 100,000-frame Transformations message, each beside pugixml's own parse and save
// of the same bytes in the same run; the ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_kit.h"
#include "message/message.h"
#include "message/pugixml.h"
#include "tracking/transformations_xml.h"

namespace {

constexpr int kFrames = 100000;

// A slow drift with a little rotation, scale and noise: every attribute of every frame is written.
Transformations trackedMotion() {
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0, 0.3);
    Transformations t;
    t.first = 1;
    t.exportInaccuracy = 0.25f;
    t.exportModel = ExportModel::Affine2;
    t.frames.resize(kFrames);
    for (int i = 0; i < kFrames; ++i) {
        const double angle = 0.01 * std::sin(i * 0.001) + 0.002;
        const double scale = 1 + 0.05 * std::sin(i * 0.0003) + 0.001;
        Transform& f = t.frames[i];
        f.x = 0.37 * i + noise(rng);
        f.y = -0.21 * i + 40 * std::sin(i * 0.01) + noise(rng);
        f.xx = scale * std::cos(angle);
        f.xy = -scale * std::sin(angle);
        f.yx = scale * std::sin(angle);
        f.yy = scale * std::cos(angle);
    }
    return t;
}

const std::string& messageBytes() {
    static const std::string bytes = [] {
        Transformations t = trackedMotion();
        Message m(MessageType::Transformations);
        serializeTransformations(XmlArchive::writer(m.root()), t);
        return m.toBytes();
    }();
    return bytes;
}

class StringWriter : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& out) : out_(out) {}
    void write(const void* data, std::size_t size) override {
        out_.append(static_cast<const char*>(data), size);
    }

private:
    std::string& out_;
};

void readMessage(benchmark::State& state) {
    const std::string& bytes = messageBytes();
    for (auto _ : state) {
        Message m;
        m.fromBytes(bytes);
        Transformations t;
        serializeTransformations(XmlArchive::reader(m.root()), t);
        benchmark::DoNotOptimize(t.frames.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void pugixmlParse(benchmark::State& state) {
    const std::string& bytes = messageBytes();
    for (auto _ : state) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// For scale: pugixml's parse, then every attribute of every element visited through its interface (name
// compared, first character of the value read): what a reader going through that interface pays at least.
void pugixmlParseAndVisit(benchmark::State& state) {
    const std::string& bytes = messageBytes();
    for (auto _ : state) {
        pugi::xml_document document;
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default);
        std::size_t sum = 0;
        for (const pugi::xml_node& element : document.document_element().children()) {
            for (const pugi::xml_attribute& a : element.attributes()) sum += a.name()[0] + a.value()[0];
        }
        benchmark::DoNotOptimize(sum);
    }
}

void writeMessage(benchmark::State& state) {
    Transformations t = trackedMotion();
    for (auto _ : state) {
        const std::string bytes = messageBytes(MessageType::Transformations,
                                               [&t](const XmlArchive& a) { serializeTransformations(a, t); });
        benchmark::DoNotOptimize(bytes.data());
        if (bytes.size() != messageBytes().size()) state.SkipWithError("the text writer wrote other bytes");
    }
}

// For scale: the same bytes through a document.
void writeMessageThroughTree(benchmark::State& state) {
    Transformations t = trackedMotion();
    for (auto _ : state) {
        Message m(MessageType::Transformations);
        serializeTransformations(XmlArchive::writer(m.root()), t);
        const std::string bytes = m.toBytes();
        benchmark::DoNotOptimize(bytes.data());
    }
}

// The same text as the message writes: the parsed document saved without indentation.
void pugixmlSave(benchmark::State& state) {
    pugi::xml_document document;
    document.load_buffer(messageBytes().data(), messageBytes().size());
    for (auto _ : state) {
        std::string bytes;
        StringWriter writer(bytes);
        document.save(writer, "", pugi::format_raw);
        benchmark::DoNotOptimize(bytes.data());
        if (bytes.size() != messageBytes().size()) state.SkipWithError("pugixml wrote other bytes");
    }
}

// For scale: pugixml building the same elements from ready texts (collected beforehand, in document
// order), then saving them; the floor of any writer that goes through its document.
void pugixmlBuildAndSave(benchmark::State& state) {
    pugi::xml_document parsed;
    parsed.load_buffer(messageBytes().data(), messageBytes().size());
    struct Element {
        const char* name;
        std::vector<std::pair<const char*, const char*>> attributes;
    };
    std::vector<Element> elements;
    for (const pugi::xml_node& e : parsed.document_element().children()) {
        elements.push_back({e.name(), {}});
        for (const pugi::xml_attribute& a : e.attributes())
            elements.back().attributes.emplace_back(a.name(), a.value());
    }
    for (auto _ : state) {
        pugi::xml_document document;
        pugi::xml_node root = document.append_child(parsed.document_element().name());
        for (const pugi::xml_attribute& a : parsed.document_element().attributes()) {
            root.append_attribute(a.name()).set_value(a.value());
        }
        for (const Element& e : elements) {
            pugi::xml_node copy = root.append_child(e.name);
            for (const auto& a : e.attributes) copy.append_attribute(a.first).set_value(a.second);
        }
        std::string bytes;
        StringWriter writer(bytes);
        document.save(writer, "", pugi::format_raw);
        benchmark::DoNotOptimize(bytes.data());
    }
}

BENCHMARK(readMessage)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(pugixmlParse)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(pugixmlParseAndVisit)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(writeMessage)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(writeMessageThroughTree)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(pugixmlSave)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(pugixmlBuildAndSave)->Unit(benchmark::kMillisecond)->Repetitions(5);

// A goal of 0: a figure for scale, with no goal.
void printRatio(const benchkit::LeastTimeReporter& reporter, const char* what, const char* ours,
                const char* theirs, double goal = 0) {
    const double ratio = reporter.ratio(ours, theirs);
    if (ratio < 0) return;
    if (goal <= 0) {
        std::printf("%s: %.2f x pugixml\n", what, ratio);
    } else {
        std::printf("%s: %.2f x pugixml (goal <= %.1f) %s\n", what, ratio, goal,
                    ratio <= goal ? "met" : "MISSED");
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("message: %zu bytes, %d frames\n", messageBytes().size(), kFrames);
    benchkit::LeastTimeReporter reporter(benchkit::LeastTimeReporter::Clock::Processor);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatio(reporter, "reading (parse + archive)", "readMessage", "pugixmlParse", 2.5);
    printRatio(reporter, "writing (archive + text)", "writeMessage", "pugixmlSave", 3.0);
    printRatio(reporter, "for scale, pugixml's parse + visiting each attribute through its interface",
               "pugixmlParseAndVisit", "pugixmlParse");
    printRatio(reporter, "for scale, writing through a document", "writeMessageThroughTree", "pugixmlSave");
    printRatio(reporter, "for scale, pugixml's own build + save", "pugixmlBuildAndSave", "pugixmlSave");
    benchmark::Shutdown();
    return 0;
}
