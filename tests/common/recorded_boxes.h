#pragma once

#include <string>
#include <vector>

#include "link/error_report.h"

namespace testkit {

// Records the texts the plug-in's server would show in error boxes, for the life of the object,
// instead of showing them. One at a time in a process.
class RecordedBoxes {
public:
    RecordedBoxes();
    ~RecordedBoxes();
    RecordedBoxes(const RecordedBoxes&) = delete;
    RecordedBoxes& operator=(const RecordedBoxes&) = delete;

    std::vector<std::string> texts() const;

private:
    ErrorBoxFunction previous_;
};

}  // namespace testkit
