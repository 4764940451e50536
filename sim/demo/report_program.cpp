#include "sim/demo/report_program.h"

#include <fstream>
#include <ostream>
#include <stdexcept>

#include "sim/app/motion.h"
#include "sim/demo/host_transcript.h"
#include "sim/demo/model_report.h"
#include "sim/demo/svg_plot.h"

namespace demoreport {

namespace {

struct Options {
    std::string motion;
    int frames = 0;
    std::string transcript;
    std::string svg;
    bool compositions = false;
    std::vector<std::pair<int, ExportModel>> layers;
};

int wholeNumber(const std::string& text, const std::string& what) {
    std::size_t used = 0;
    const int value = std::stoi(text, &used);
    if (used != text.size()) throw std::invalid_argument("not a whole number for " + what + ": " + text);
    return value;
}

Options parse(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--motion") {
            options.motion = value();
        } else if (arg == "--frames") {
            options.frames = wholeNumber(value(), arg);
        } else if (arg == "--transcript") {
            options.transcript = value();
        } else if (arg == "--svg") {
            options.svg = value();
        } else if (arg == "--compositions") {
            options.compositions = true;
        } else {
            const std::size_t equals = arg.find('=');
            if (equals == std::string::npos) throw std::invalid_argument("expected LAYER=MODEL: " + arg);
            options.layers.emplace_back(wholeNumber(arg.substr(0, equals), "LAYER"),
                                        modelNamed(arg.substr(equals + 1)));
        }
    }
    if (options.transcript.empty() || (!options.layers.empty() && options.frames <= 0))
        throw std::invalid_argument(
            "usage: skelda-demo-report --transcript FILE [--compositions] [--motion MOTION --frames N [--svg "
            "FILE] "
            "LAYER=MODEL...");
    return options;
}

}  // namespace

int runReportProgram(const std::vector<std::string>& args, std::ostream& out) {
    try {
        const Options options = parse(args);
        std::ifstream in(options.transcript);
        if (!in) throw std::runtime_error("cannot read " + options.transcript);
        const HostTranscript transcript = HostTranscript::read(in);
        if (options.compositions) describeCompositions(out, transcript);
        if (options.layers.empty()) return 0;
        const Transformations motion = simapp::generateMotion(options.motion, options.frames);
        std::vector<ModelReport> reports;
        for (const auto& [layer, model] : options.layers)
            reports.push_back(reportLayer(transcript, motion, layer, model));
        printModelReports(out, reports);
        if (!options.svg.empty()) {
            std::ofstream svg(options.svg);
            writeSvgPlot(svg, reports);
            if (!svg.flush()) throw std::runtime_error("cannot write " + options.svg);
            out << "   plot of per-frame values and keyframes: " << options.svg << '\n';
        }
        return 0;
    } catch (const std::exception& e) {
        out << "error: " << e.what() << std::endl;
        return 2;
    }
}

}  // namespace demoreport
