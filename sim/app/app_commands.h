#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace simapp {

// The skelda-app program: its words, run with their arguments; the exit code.
//   skelda-app                      serve the application's pipe until a client sends the empty frame
//   skelda-app serve [--actions Underlay,Overlay,StillOverlay,Transformations,Project]
//                    [--result FILE] [--motion MOTION --frames N] [--verbose] [--pipe NAME] [--plugin-pipe
//                    NAME]
//       (a project file gives the project and its tracking result; a motion replaces the latter;
//       --verbose logs every request answered, not only uploads and pushes)
//       also reads lines: "actions LIST", "uploads", "push transformations|project", "model NAME"
//       (with a motion: the export model of later pushes), "quit"
//   skelda-app push transformations|project FILE [--plugin-pipe NAME]
//   skelda-app ask underlay|overlay|actions [--plugin-pipe NAME]
//   skelda-app send-raw HEX [--plugin-pipe NAME]
int runProgram(const std::vector<std::string>& args, std::istream& in, std::ostream& out);

}  // namespace simapp
