#include <windows.h>

#include "plugin/question_box.h"

QuestionAnswer AskQuestion(void* mainWindow, const Question& question) {
    const std::string text = yesNoCancelText(question);
    switch (MessageBoxA(static_cast<HWND>(mainWindow), text.c_str(), "Skelda",
                        MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1)) {
        case IDYES:
            return QuestionAnswer::First;
        case IDNO:
            return QuestionAnswer::Second;
        default:
            return QuestionAnswer::Cancel;
    }
}
