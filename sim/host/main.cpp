// skelda-host: the simulated host driven by a line-based script from files, from -e options
// (one line each) or from standard input, each line run as it arrives with its output flushed.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "sim/host/script.h"

namespace {

int usage() {
    std::cerr << "usage: skelda-host [SCRIPT]... [-e LINE]...\n"
                 "  without SCRIPT or -e, lines are read from standard input\n";
    return 2;
}

// Runs lines until the script quits or the source ends.
bool runStream(simhost::Script& script, std::istream& in) {
    std::string line;
    while (std::getline(in, line)) {
        const bool more = script.runLine(line);
        std::cout.flush();
        if (!more) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    struct Source {
        bool isLine;
        std::string text;
    };
    std::vector<Source> sources;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-e") {
            if (i + 1 >= argc) return usage();
            sources.push_back({true, argv[++i]});
        } else if (arg == "-h" || arg == "--help") {
            return usage();
        } else {
            sources.push_back({false, arg});
        }
    }
    try {
        simhost::SimHost host;
        simhost::Script script(host, std::cout);
        if (sources.empty()) {
            runStream(script, std::cin);
        } else {
            for (const Source& source : sources) {
                if (source.isLine) {
                    const bool more = script.runLine(source.text);
                    std::cout.flush();
                    if (!more) break;
                    continue;
                }
                std::ifstream file(source.text);
                if (!file) {
                    std::cout << "error: cannot open script " << source.text << '\n';
                    return 1;
                }
                if (!runStream(script, file)) break;
            }
        }
        host.shutdown();
        std::cout.flush();
        return script.errors() == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "skelda-host: " << error.what() << '\n';
        return 1;
    }
}
