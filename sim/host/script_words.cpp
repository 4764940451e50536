#include "sim/host/script_words.h"

namespace simhost {

WordTable defaultWords() {
    WordTable words;
    addModuleWords(words);
    addProjectWords(words);
    addMenuWords(words);
    addIdleWords(words);
    addImportWords(words);
    addCheckWords(words);
    addCompWords(words);
    addDialogWords(words);
    addFootageWords(words);
    addCornerWords(words);
    addLayerWords(words);
    return words;
}

}  // namespace simhost
