#pragma once

#include <string>

namespace testkit {

// `path` with every "/" turned into "\": the form paths take in documents and after reading them.
std::string windowsForm(std::string path);

// Writes `text` into a new file at `path` (either separator), creating missing directories.
void writeFile(const std::string& path, const std::string& text);

// The whole content of a file (either separator); empty when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace testkit
