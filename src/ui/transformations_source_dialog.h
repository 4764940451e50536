#pragma once

#include <string>

// The dialog in which the user picks the project file whose transformations are applied
// (template 1000): a path edit, Browse... and Apply, which is enabled exactly while the path
// names an existing regular file. The path stays between showings.
class TransformationsSourceDialog {
public:
    static constexpr int kApplied = 1;
    static constexpr int kCancelled = 2;

    TransformationsSourceDialog() = default;
    ~TransformationsSourceDialog();

    TransformationsSourceDialog(const TransformationsSourceDialog&) = delete;
    TransformationsSourceDialog& operator=(const TransformationsSourceDialog&) = delete;

    // Shows the dialog modally over the owner (the host's main window; none: on its own) and
    // returns kApplied when the user accepted a path, kCancelled otherwise.
    int run(void* owner);

    const std::string& path() const { return path_; }
    void setPath(const std::string& path) { path_ = path; }

    // What the dialog shows and filters by.
    static const char kTitle[];
    static const char kPrompt[];
    static const char kFilter[];

    class Window;  // the platform's dialog

private:
    std::string path_;
    // The dialog's font (Windows), made at the first showing and kept for the later ones.
    void* font_ = nullptr;
};

// The module's one instance, built when the module is loaded.
TransformationsSourceDialog& transformationsSourceDialog();
