// The three-answer question as a system message box, its buttons labelled by the question.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/ui/dialog_user_win32.h"
#include "ui/question_box.h"

namespace {

using dialogkit::User;
using dialogkit::waitForWindow;

std::string textOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST(QuestionBox, EachButtonShowsItsLabelAndGivesItsAnswer) {
    const Question question{"Replace them?", "Replace", "Add", "Cancel", "Replace: delete them."};
    const struct {
        int button;
        QuestionAnswer answer;
    } cases[] = {
        {IDYES, QuestionAnswer::First},
        {IDNO, QuestionAnswer::Second},
        {IDCANCEL, QuestionAnswer::Cancel},
    };
    for (const auto& c : cases) {
        std::string text, first, second, cancel;
        QuestionAnswer answer = QuestionAnswer::First;
        {
            User user([&] {
                const HWND box = waitForWindow("Skelda");
                if (box == nullptr) return;
                text = textOf(GetDlgItem(box, 0xFFFF));
                first = textOf(GetDlgItem(box, IDYES));
                second = textOf(GetDlgItem(box, IDNO));
                cancel = textOf(GetDlgItem(box, IDCANCEL));
                PostMessageA(box, WM_COMMAND, c.button, 0);
            });
            answer = askQuestion(nullptr, question);
        }
        EXPECT_EQ(answer, c.answer) << c.button;
        EXPECT_EQ(text, "Replace them?\n\nReplace: delete them.");
        EXPECT_EQ(first, "Replace");
        EXPECT_EQ(second, "Add");
        EXPECT_EQ(cancel, "Cancel");
    }
}

}  // namespace
