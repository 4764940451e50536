#pragma once

// A small job as the tracking application saves it: a 24-frame PNG sequence (beside one more frame
// and a notes.png that are not part of it), a PNG logo, and job.skp referring to both relatively,
// task Tracking with one translation per frame; the logo starts at frame 2 and shows its frames 1 to 12.

#include <string>

#include "tests/project/isolation_kit.h"

namespace importkit {

// A PNG header of the given size: all the simulated host reads of an image.
inline std::string pngHeader(unsigned width, unsigned height) {
    std::string bytes = "\x89PNG\r\n\x1a\n";
    bytes += std::string("\0\0\0\x0dIHDR", 8);
    for (unsigned value : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((value >> shift) & 0xff);
    return bytes + std::string(5, '\0');
}

constexpr int kSampleFrames = 24;

// Writes the job into `directory`; returns the project file's path. `withUnderlay` false leaves the
// project's underlay empty.
inline std::string writeSampleProject(const std::string& directory, bool withUnderlay = true) {
    std::string frames, transforms;
    for (int i = 0; i <= kSampleFrames; ++i) {
        const std::string name = isolationkit::frameName("p", i);
        isolationkit::writeFile(directory + "/plate/" + name, pngHeader(160, 120) + name);
        if (i == kSampleFrames) break;
        frames += std::string("<Frame path=\"") + name + "\"/>";
        transforms += "<Transform x=\"" + std::to_string(4 * i) + "\" y=\"" + std::to_string(2 * i) + "\"/>";
    }
    isolationkit::writeFile(directory + "/plate/notes.png", "notes");
    isolationkit::writeFile(directory + "/art/logo.png", pngHeader(16, 16) + "logo");
    const std::string project =
        "<?xml version=\"1.0\"?>\n<Project ExportInaccuracy=\"0.5\" Framerate=\"24\" Name=\"Sample\">"
        "<InitialTransform x=\"20\" y=\"30\"/>" +
        transforms + "<Dim sx=\"160\" sy=\"120\"/>" +
        (withUnderlay ? "<Underlay path=\"plate\\\">" + frames + "</Underlay>" : std::string()) +
        "<Overlay path=\"art\\\" SourceOffset=\"2\"><Frame path=\"logo.png\"/><Trimming first=\"1\" "
        "last=\"13\"/>"
        "</Overlay></Project>\n";
    isolationkit::writeFile(directory + "/job.skp", project);
    return directory + "/job.skp";
}

}  // namespace importkit
