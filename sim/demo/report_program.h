#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace demoreport {

// The skelda-demo-report program, run with its arguments; the exit code.
//   skelda-demo-report --motion SPEC --frames N --transcript FILE [--svg FILE] LAYER=MODEL...
// The motion is the one skelda-app generates from the same SPEC and N; the transcript is what
// skelda-host printed: a dump of the project and "corners LAYER" for each layer named. MODEL is
// the export model the layer's keyframes were made with (Auto for the automatic choice). Without
// layers only the compositions of the dump are described.
int runReportProgram(const std::vector<std::string>& args, std::ostream& out);

}  // namespace demoreport
