#include <iostream>

#include "aegp_window_services.h"
#include "host/check_host.h"
#include "ui/question_box.h"
#include "ui/terminal_dialogs.h"

QuestionAnswer askQuestion(void* mainWindow, const Question& question) {
    const auto* services = static_cast<const AEGP_WindowServices1*>(mainWindow);
    if (services == nullptr || services->version < AEGP_WINDOW_SERVICES_VERSION2) {
        const int chosen = askChoiceOnTerminal(std::cin, std::cerr, question.text,
                                               {question.first, question.second, question.cancel});
        return chosen == 0   ? QuestionAnswer::First
               : chosen == 1 ? QuestionAnswer::Second
                             : QuestionAnswer::Cancel;
    }
    A_long answer = AEGP_Answer_CANCEL;
    CheckHost(services->AEGP_AskQuestion("Skelda", question.text.c_str(), question.first.c_str(),
                                         question.second.c_str(), question.cancel.c_str(), &answer),
              "asking a question");
    if (answer == AEGP_Answer_YES) return QuestionAnswer::First;
    if (answer == AEGP_Answer_NO) return QuestionAnswer::Second;
    return QuestionAnswer::Cancel;
}
