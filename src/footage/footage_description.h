#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The host's ratio type: the pixel aspect ratio of a footage or composition.
struct PixelAspectRatio {
    std::int32_t num = 1;
    std::uint32_t den = 1;
};

// Equal in value to 1/1, so nothing needs to be stored (2/2 and the meaningless 0/0 count too).
// Cross-multiplied in 64 bits: in 32 bits -1/4294967295 would pass for square as well.
inline bool isSquare(const PixelAspectRatio& ratio) {
    return static_cast<std::int64_t>(ratio.num) == static_cast<std::int64_t>(ratio.den);
}

// A footage as an explicit list of files in frame order (entry i is frame i), with its frame
// rate, pixel aspect ratio and the frame number of its first file. Paths are full paths.
struct FootageDescription {
    std::vector<std::string> files;
    std::uint32_t framerate = 30;
    PixelAspectRatio pixelAspectRatio;
    std::int32_t startFrame = 0;
};

// What a frame list is read into or written from: the files and the directory against which
// the footage's own directory is stored relatively (empty: always absolute).
struct FrameListBinding {
    std::vector<std::string>& files;
    std::string basePath;
};
