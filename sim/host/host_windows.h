#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "aegp_window_services.h"

namespace simhost {

// What a script or a test says the user will do at the next dialog.
struct DialogAnswer {
    enum class Kind {
        Path,      // accept this path in the next path dialog
        Cancel,    // cancel the next path dialog
        CancelAt,  // press Cancel in the next progress window while it shows step `step`
        Button,    // press the button labelled `path` in the next question
    };
    Kind kind = Kind::Cancel;
    std::string path;
    A_long step = 0;
};

struct ProgressRecord {
    std::string title;
    A_long total = 0;
    std::vector<A_long> steps;       // every step shown, in order (the opening 0 first)
    std::vector<std::string> texts;  // the text shown with each step
    int polls = 0;                   // calls that only handled the user's input
    A_long cancelAt = -1;            // the step at which the user presses Cancel, -1 never
    bool cancelled = false;
    bool open = true;
};

// The host's windows as the window services show them: the answers queued for the dialogs to
// come, the progress windows, whether the main window takes input, and one line per thing shown.
class HostWindows {
public:
    HostWindows() = default;
    // Waits for the users still looking for their box.
    ~HostWindows();
    HostWindows(const HostWindows&) = delete;
    HostWindows& operator=(const HostWindows&) = delete;

    void queueAnswer(const DialogAnswer& answer) { answers_.push_back(answer); }
    // A user pressing a button of the module's own box (question_robot.h), kept until the host ends.
    void addUser(std::thread user);
    // The first queued answer for a path dialog (a path or a cancel), removed from the queue.
    std::optional<DialogAnswer> takePathAnswer();
    // The step of the first queued Cancel for a progress window, removed; -1 when none.
    A_long takeCancelStep();
    // The label of the first queued button for a question, removed.
    std::optional<std::string> takeButton();

    int openProgress(const std::string& title, A_long total);
    ProgressRecord* progress(int id);
    const std::map<int, ProgressRecord>& progressWindows() const { return progress_; }
    int openProgressWindows() const;

    bool mainWindowEnabled() const { return mainWindowEnabled_; }
    void setMainWindowEnabled(bool enabled);

    // "path ...", "progress open|cancel|close ...", "message ...", "question ...",
    // "main-window enabled|disabled".
    std::vector<std::string>& shown() { return shown_; }
    void clear();

private:
    std::deque<DialogAnswer> answers_;
    std::map<int, ProgressRecord> progress_;
    int lastProgress_ = 0;
    bool mainWindowEnabled_ = true;
    std::vector<std::string> shown_;
    std::vector<std::thread> users_;
};

// A text quoted for a record line: in double quotes, with \\, \" and \n escaped.
std::string quotedText(const std::string& text);

// The window services table the simulated host hands out as its main window on systems without
// window handles.
const AEGP_WindowServices1* simWindowServices();
// The main window a new simulated host starts with: the services table where a module expects
// one, none where a module expects a window handle.
void* defaultMainWindow();

}  // namespace simhost
