#include <windows.h>

#include "ui/question_box.h"

namespace {

// The box being opened on this thread takes the question's own button labels: the hook sees it
// activated before it is shown, and unhooks itself.
struct Relabel {
    HHOOK hook = nullptr;
    const Question* question = nullptr;
};

thread_local Relabel relabel;

LRESULT CALLBACK relabelButtons(int code, WPARAM wParam, LPARAM lParam) {
    const HHOOK hook = relabel.hook;
    if (code == HCBT_ACTIVATE && relabel.question != nullptr) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        SetDlgItemTextA(box, IDYES, relabel.question->first.c_str());
        SetDlgItemTextA(box, IDNO, relabel.question->second.c_str());
        SetDlgItemTextA(box, IDCANCEL, relabel.question->cancel.c_str());
        relabel.question = nullptr;
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

// The hook lives for one box.
class RelabelScope {
public:
    explicit RelabelScope(const Question& question) {
        relabel.question = &question;
        relabel.hook = SetWindowsHookExA(WH_CBT, relabelButtons, nullptr, GetCurrentThreadId());
    }
    ~RelabelScope() {
        if (relabel.hook != nullptr) UnhookWindowsHookEx(relabel.hook);
        relabel = Relabel{};
    }
    RelabelScope(const RelabelScope&) = delete;
    RelabelScope& operator=(const RelabelScope&) = delete;
};

}  // namespace

QuestionAnswer askQuestion(void* mainWindow, const Question& question) {
    // Without the labels (no hook) the legend still says what Yes, No and Cancel do.
    const std::string text = yesNoCancelText(question);
    int answer = IDCANCEL;
    {
        RelabelScope labels(question);
        answer = MessageBoxA(static_cast<HWND>(mainWindow), text.c_str(), "Skelda",
                             MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1);
    }
    switch (answer) {
        case IDYES:
            return QuestionAnswer::First;
        case IDNO:
            return QuestionAnswer::Second;
        default:
            return QuestionAnswer::Cancel;
    }
}
