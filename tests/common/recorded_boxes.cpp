#include "tests/common/recorded_boxes.h"

#include <mutex>

namespace testkit {

namespace {

std::mutex gMutex;
std::vector<std::string> gTexts;

void record(const std::string& text) {
    std::lock_guard<std::mutex> lock(gMutex);
    gTexts.push_back(text);
}

}  // namespace

RecordedBoxes::RecordedBoxes() {
    std::lock_guard<std::mutex> lock(gMutex);
    gTexts.clear();
    previous_ = setErrorBox(record);
}

RecordedBoxes::~RecordedBoxes() {
    setErrorBox(previous_);
}

std::vector<std::string> RecordedBoxes::texts() const {
    std::lock_guard<std::mutex> lock(gMutex);
    return gTexts;
}

}  // namespace testkit
