#include "tests/common/test_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testkit {

namespace {

std::string slashForm(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace

std::string windowsForm(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void writeFile(const std::string& path, const std::string& text) {
    const std::filesystem::path native(slashForm(path));
    if (native.has_parent_path()) std::filesystem::create_directories(native.parent_path());
    std::ofstream out(native, std::ios::binary);
    out << text;
    if (!out.good()) throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string& path) {
    std::ifstream in(slashForm(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testkit
