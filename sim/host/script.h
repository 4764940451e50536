#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/host/sim_host.h"

namespace simhost {

// A script line that cannot be carried out; the script prints "error: " and the text.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ScriptContext {
    SimHost& host;
    std::ostream& out;
    bool quit = false;
};

using ScriptWord = std::function<void(ScriptContext& context, const std::vector<std::string>& args)>;

// The words a script speaks. Each group of words lives in its own script_words_*.cpp file and
// is added by defaultWords().
class WordTable {
public:
    void add(const std::string& word, ScriptWord action) { words_[word] = std::move(action); }
    const ScriptWord* find(const std::string& word) const;

private:
    std::map<std::string, ScriptWord> words_;
};

// Every word of the simulated host.
WordTable defaultWords();

// Splits a line into words: blanks separate, double quotes group (\" and \\ inside them).
std::vector<std::string> splitScriptLine(const std::string& line);

// Runs script lines against a host, one at a time.
class Script {
public:
    Script(SimHost& host, std::ostream& out, WordTable words = defaultWords());

    // Runs one line; blank lines and lines starting with '#' do nothing. False once the
    // script has quit.
    bool runLine(const std::string& line);
    bool quit() const { return context_.quit; }
    int errors() const { return errors_; }

private:
    ScriptContext context_;
    WordTable words_;
    int errors_ = 0;
};

// Argument helpers for words.
int scriptInt(const std::string& text, const char* what);
// A finite number.
double scriptReal(const std::string& text, const char* what);
// "VALUE/SCALE" exactly, or seconds in thousandths.
A_Time scriptTime(const std::string& text);
void expectArgs(const std::vector<std::string>& args, std::size_t min, std::size_t max, const char* usage);

}  // namespace simhost
