#pragma once

#include <memory>
#include <string>

#include "tracking/transformations.h"

namespace simapp {

// The application's current result, as the messages it pushes.
class AppResult {
public:
    // No result: nothing to push.
    AppResult() = default;
    // From a project file: its tracking result, and the project itself with its footage paths made
    // absolute (a pushed project has no file to be relative to). Raises xml::parse_error
    // when the file cannot be read.
    static AppResult fromProjectFile(const std::string& path);
    // From a generated tracking result; there is no project then.
    static AppResult fromTransformations(const Transformations& transformations);
    // Keeps the project and replaces the tracking result.
    void setTransformations(const Transformations& transformations);

    bool hasTransformations() const { return !transformations_.empty(); }
    bool hasProject() const { return !project_.empty(); }
    // A Transformations message, and a Project message, as bytes.
    const std::string& transformationsMessage() const { return transformations_; }
    const std::string& projectMessage() const { return project_; }

private:
    std::string transformations_;
    std::string project_;
};

}  // namespace simapp
