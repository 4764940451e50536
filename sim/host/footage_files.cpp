#include "sim/host/footage_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace simhost {

namespace fs = std::filesystem;

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The extension with its dot, or empty.
std::string extensionOf(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

std::string nativeForm(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::vector<std::string> footageFiles(const std::string& path, bool sequence) {
    std::error_code error;
    if (!fs::is_regular_file(nativeForm(path), error)) return {};
    if (!sequence) return {path};

    const std::size_t cut = path.find_last_of("\\/");
    const std::string directory = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    const std::string extension = lowerCase(extensionOf(path.substr(directory.size())));
    std::vector<std::string> names;
    for (fs::directory_iterator it(nativeForm(directory.empty() ? "." : directory), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(error) && lowerCase(extensionOf(name)) == extension) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> files;
    for (const std::string& name : names) files.push_back(directory + name);
    return files;
}

}  // namespace simhost
