#pragma once

#include "sim/host/script.h"

namespace simhost {

// One function per group of words, each in its own file. A new group adds its function here
// and one line to defaultWords() in script_words.cpp.
void addModuleWords(WordTable& words);   // load, quit, hooks, flavors
void addProjectWords(WordTable& words);  // project, dump
void addMenuWords(WordTable& words);     // menu, command
void addIdleWords(WordTable& words);     // idle, run
void addImportWords(WordTable& words);   // import
void addCheckWords(WordTable& words);    // fail, offer, reports, suites, calls, echo
void addCompWords(WordTable& words);     // comp, layer, camera, activate, evaluate
void addDialogWords(WordTable& words);   // answer, dialogs, undo, references
void addFootageWords(WordTable& words);  // footage
void addCornerWords(WordTable& words);   // corners
void addLayerWords(WordTable& words);    // layer-time, keys, effects

}  // namespace simhost
