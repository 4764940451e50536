#include "support/path_parts.h"

#include <stdexcept>

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// Where the drive ends: after "X:" when the path starts with one.
std::size_t driveLength(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' ? 2 : 0;
}

}  // namespace

void splitPath(const std::string& path, std::string* drive, std::string* directory, std::string* fileName,
               std::string* extension) {
    const std::size_t driveEnd = driveLength(path);
    std::size_t nameStart = driveEnd;
    for (std::size_t i = driveEnd; i < path.size(); ++i) {
        if (isSeparator(path[i])) nameStart = i + 1;
    }
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) dot = path.size();

    if (drive) *drive = path.substr(0, driveEnd);
    if (directory) *directory = path.substr(driveEnd, nameStart - driveEnd);
    if (fileName) *fileName = path.substr(nameStart, dot - nameStart);
    if (extension) *extension = path.substr(dot);
}

std::string makePath(const std::string& drive, const std::string& directory, const std::string& fileName,
                     const std::string& extension) {
    if (drive.size() > kMaxDriveLength) throw std::runtime_error("drive too long");
    if (directory.size() > kMaxPartLength) throw std::runtime_error("path too long");
    if (fileName.size() > kMaxPartLength) throw std::runtime_error("file name too long");
    if (extension.size() > kMaxPartLength) throw std::runtime_error("extension too long");

    std::string path;
    if (!drive.empty()) {
        path += drive[0];
        path += ':';
    }
    if (!directory.empty()) {
        path += directory;
        if (!isSeparator(directory.back())) path += '\\';
    }
    path += fileName;
    if (!extension.empty()) {
        if (extension[0] != '.') path += '.';
        path += extension;
    }
    // Each part fits, yet together they may not: such a path could never be opened.
    if (path.size() > kMaxPathLength) throw std::runtime_error("path too long");
    return path;
}

std::string directoryOf(const std::string& path) {
    // The split keeps the directory's own separator, so drive and directory are a prefix of the path.
    std::string drive, directory;
    splitPath(path, &drive, &directory, nullptr, nullptr);
    return drive + directory;
}

std::string fileNameOf(const std::string& path) {
    std::string fileName;
    splitPath(path, nullptr, nullptr, &fileName, nullptr);
    return fileName;
}
