#include "host/script_words.h"

namespace simhost {

WordTable defaultWords() {
    WordTable words;
    addModuleWords(words);
    addProjectWords(words);
    addMenuWords(words);
    addIdleWords(words);
    addImportWords(words);
    addCheckWords(words);
    return words;
}

}  // namespace simhost
