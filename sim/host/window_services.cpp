// The window services: the dialogs a module shows through the host, answered as queued.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <utility>

#include "sim/host/host_call.h"
#include "sim/host/host_windows.h"

namespace simhost {

namespace {

std::string textOf(const A_char* text) {
    return text != nullptr ? text : "";
}

// The host's lock is not held while the module judges the path.
A_Err askPath(const A_char* title, const A_char* prompt, const A_char* initialPath,
              AEGP_PathAcceptableFunc acceptable, void* acceptableRefcon, A_char* path, A_long pathSize,
              A_Boolean* accepted) {
    std::optional<DialogAnswer> answer;
    const A_Err asked = hostCall("AEGP_AskPath", [&](SimHost& host) -> A_Err {
        if (path == nullptr || pathSize <= 0 || accepted == nullptr) return A_Err_PARAMETER;
        answer = host.windows().takePathAnswer();
        return A_Err_NONE;
    });
    if (asked != A_Err_NONE) return asked;
    *accepted = 0;
    std::string line = "path title=" + quotedText(textOf(title)) + " prompt=" + quotedText(textOf(prompt)) +
                       " initial=" + quotedText(textOf(initialPath));
    A_Err result = A_Err_NONE;
    if (!answer) {
        line += " answer=none result=cancel";
    } else if (answer->kind == DialogAnswer::Kind::Cancel) {
        line += " answer=cancel result=cancel";
    } else {
        const bool enabled = acceptable == nullptr || acceptable(acceptableRefcon, answer->path.c_str()) != 0;
        line += " answer=" + quotedText(answer->path) + (enabled ? " apply=enabled" : " apply=disabled");
        if (!enabled) {
            // The user cannot accept it and closes the dialog.
            line += " result=cancel";
        } else if (answer->path.size() + 1 > static_cast<std::size_t>(pathSize)) {
            line += " result=too-long";
            result = A_Err_PARAMETER;
        } else {
            std::memcpy(path, answer->path.c_str(), answer->path.size() + 1);
            *accepted = 1;
            line += " result=apply";
        }
    }
    if (SimHost* host = SimHost::current()) {
        auto guard = host->lock();
        host->windows().shown().push_back(line);
    }
    return result;
}

A_Err AEGP_API AskPath(const A_char* title, const A_char* prompt, const A_char*, const A_char* initialPath,
                       AEGP_PathAcceptableFunc acceptable, void* acceptableRefcon, A_char* path,
                       A_long pathSize, A_Boolean* accepted) {
    try {
        return askPath(title, prompt, initialPath, acceptable, acceptableRefcon, path, pathSize, accepted);
    } catch (...) {
        return A_Err_GENERIC;
    }
}

A_Err AEGP_API OpenProgress(const A_char* title, A_long total, AEGP_ProgressWindowH* progressP) {
    return hostCall("AEGP_OpenProgress", [&](SimHost& host) -> A_Err {
        if (progressP == nullptr || total < 0) return A_Err_PARAMETER;
        *progressP = toHandle<AEGP_ProgressWindowH>(host.windows().openProgress(textOf(title), total));
        return A_Err_NONE;
    });
}

A_Err AEGP_API StepProgress(AEGP_ProgressWindowH progressH, A_long step, const A_char* text,
                            A_Boolean* cancelledP) {
    return hostCall("AEGP_StepProgress", [&](SimHost& host) -> A_Err {
        const int id = fromHandle(progressH);
        ProgressRecord* record = host.windows().progress(id);
        if (record == nullptr || !record->open || step < 0 || step > record->total) return A_Err_PARAMETER;
        if (text != nullptr) {
            record->steps.push_back(step);
            record->texts.push_back(text);
        } else if (cancelledP != nullptr) {
            ++record->polls;
        } else {
            return A_Err_PARAMETER;
        }
        if (cancelledP == nullptr) return A_Err_NONE;
        if (!record->cancelled && record->cancelAt >= 0 && step >= record->cancelAt) {
            record->cancelled = true;
            const std::string shown = record->texts.empty() ? std::string() : record->texts.back();
            host.windows().shown().push_back("progress cancel id=" + std::to_string(id) +
                                             " step=" + std::to_string(step) + " text=" + quotedText(shown));
        }
        *cancelledP = record->cancelled ? 1 : 0;
        return A_Err_NONE;
    });
}

// The window is gone whatever the result, also when the host refuses the call.
A_Err AEGP_API CloseProgress(AEGP_ProgressWindowH progressH) {
    const detail::HostCallMark mark;
    SimHost* host = SimHost::current();
    if (host == nullptr) return A_Err_GENERIC;
    try {
        auto guard = host->lock();
        const int id = fromHandle(progressH);
        ProgressRecord* record = host->windows().progress(id);
        const bool open = record != nullptr && record->open;
        if (open) {
            record->open = false;
            host->windows().shown().push_back(
                "progress close id=" + std::to_string(id) + " steps=" + std::to_string(record->steps.size()) +
                " last=" + quotedText(record->texts.empty() ? std::string() : record->texts.back()));
        }
        if (const A_Err injected = host->faults().onCall("AEGP_CloseProgress")) return injected;
        return open ? A_Err_NONE : A_Err_PARAMETER;
    } catch (...) {
        return A_Err_GENERIC;
    }
}

A_Err AEGP_API ShowMessage(const A_char* caption, const A_char* text, A_long style) {
    return hostCall("AEGP_ShowMessage", [&](SimHost& host) -> A_Err {
        if (text == nullptr) return A_Err_PARAMETER;
        host.windows().shown().push_back("message style=" + std::to_string(style) + " caption=" +
                                         quotedText(textOf(caption)) + " text=" + quotedText(text));
        return A_Err_NONE;
    });
}

A_Err AEGP_API EnableMainWindow(A_Boolean enable) {
    return hostCall("AEGP_EnableMainWindow", [&](SimHost& host) -> A_Err {
        host.windows().setMainWindowEnabled(enable != 0);
        return A_Err_NONE;
    });
}

bool sameLabel(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The button queued by `answer button LABEL`; without one the user closes the window (Cancel).
A_Err AEGP_API AskQuestion(const A_char* caption, const A_char* text, const A_char* yesLabel,
                           const A_char* noLabel, const A_char* cancelLabel, A_long* answerP) {
    return hostCall("AEGP_AskQuestion", [&](SimHost& host) -> A_Err {
        if (text == nullptr || answerP == nullptr) return A_Err_PARAMETER;
        const std::optional<std::string> button = host.windows().takeButton();
        const std::pair<std::string, A_long> buttons[] = {{textOf(yesLabel), AEGP_Answer_YES},
                                                          {textOf(noLabel), AEGP_Answer_NO},
                                                          {textOf(cancelLabel), AEGP_Answer_CANCEL}};
        std::string line = "question caption=" + quotedText(textOf(caption)) + " text=" + quotedText(text) +
                           " buttons=" + quotedText(buttons[0].first) + "," + quotedText(buttons[1].first) +
                           "," + quotedText(buttons[2].first);
        *answerP = AEGP_Answer_CANCEL;
        if (!button) {
            line += " answer=none";
        } else {
            const auto* chosen = std::find_if(std::begin(buttons), std::end(buttons),
                                              [&](const auto& b) { return sameLabel(b.first, *button); });
            if (chosen == std::end(buttons)) {
                host.windows().shown().push_back(line + " answer=" + quotedText(*button) +
                                                 " result=no-such-button");
                return A_Err_PARAMETER;
            }
            *answerP = chosen->second;
            line += " answer=" + quotedText(chosen->first);
        }
        host.windows().shown().push_back(line);
        return A_Err_NONE;
    });
}

const AEGP_WindowServices1 kWindowServices = {
    AEGP_WINDOW_SERVICES_VERSION2,
    AskPath,
    OpenProgress,
    StepProgress,
    CloseProgress,
    ShowMessage,
    EnableMainWindow,
    AskQuestion,
};

}  // namespace

const AEGP_WindowServices1* simWindowServices() {
    return &kWindowServices;
}

}  // namespace simhost
