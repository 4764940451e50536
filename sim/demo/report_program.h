#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace demoreport {

// The skelda-demo-report program, run with its arguments; the exit code.
//   skelda-demo-report --transcript FILE [--compositions]
//                      [--motion MOTION --frames N [--svg FILE] LAYER=MODEL...]
// The transcript is what skelda-host printed: a dump of the project and "corners LAYER" for each
// layer named; --compositions describes the dump's compositions. The motion is the one skelda-app
// generates from the same MOTION and N; MODEL is the export model the layer's keyframes were made
// with (Auto for the automatic choice).
int runReportProgram(const std::vector<std::string>& args, std::ostream& out);

}  // namespace demoreport
