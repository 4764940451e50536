#include "ui/question_box.h"

std::string yesNoCancelText(const Question& question) {
    return question.legend.empty() ? question.text : question.text + "\n\n" + question.legend;
}
