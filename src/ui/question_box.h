#pragma once

#include <string>

// A question with three answers, asked in the host's main window: a system message box with Yes,
// No and Cancel on Windows (the text says what each button does), the host's window services
// elsewhere, and the terminal when the host gave no window. Host failures raise AE_Exception.

enum class QuestionAnswer { First, Second, Cancel };

struct Question {
    std::string text;
    // The three buttons' labels, as the window services and the terminal show them.
    std::string first;
    std::string second;
    std::string cancel;
    // What Yes, No and Cancel do, for a box whose buttons cannot be labelled (Windows).
    std::string legend;
};

QuestionAnswer askQuestion(void* mainWindow, const Question& question);

// The question's text and, after an empty line, its legend.
std::string yesNoCancelText(const Question& question);
