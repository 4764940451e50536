#pragma once

#include <string>
#include <vector>

namespace simhost {

// A path as the file system here takes it: either separator is accepted, as by the plug-in's own
// file calls.
std::string nativeForm(std::string path);

// The files a footage made from `path` takes, as the host builds it: the file alone, or, for an
// image sequence, every regular file of its directory with the same extension (letter case ignored),
// in name order, each as the directory was written in `path` followed by its name. Empty when
// `path` is not an existing regular file.
std::vector<std::string> footageFiles(const std::string& path, bool sequence);

}  // namespace simhost
