#include "sim/host/script.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace simhost {

const ScriptWord* WordTable::find(const std::string& word) const {
    auto found = words_.find(word);
    return found == words_.end() ? nullptr : &found->second;
}

std::vector<std::string> splitScriptLine(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size()) break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
                    word += line[i++];
                } else {
                    word += c;
                }
            }
            if (!closed) throw ScriptError("unterminated quote");
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

Script::Script(SimHost& host, std::ostream& out, WordTable words)
    : context_{host, out, false}, words_(std::move(words)) {}

bool Script::runLine(const std::string& line) {
    if (context_.quit) return false;
    try {
        const std::vector<std::string> words = splitScriptLine(line);
        if (words.empty() || words[0][0] == '#') return true;
        const ScriptWord* action = words_.find(words[0]);
        if (action == nullptr) throw ScriptError("unknown word " + words[0]);
        (*action)(context_, std::vector<std::string>(words.begin() + 1, words.end()));
    } catch (const std::exception& error) {
        ++errors_;
        context_.out << "error: " << error.what() << '\n';
    }
    return !context_.quit;
}

double scriptReal(const std::string& text, const char* what) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value))
        throw ScriptError(std::string("not a number for ") + what + ": " + text);
    return value;
}

A_Time scriptTime(const std::string& text) {
    const std::size_t slash = text.find('/');
    if (slash != std::string::npos) {
        const int scale = scriptInt(text.substr(slash + 1), "time scale");
        if (scale <= 0) throw ScriptError("a time scale must be positive: " + text);
        return {scriptInt(text.substr(0, slash), "time value"), static_cast<A_u_long>(scale)};
    }
    return {static_cast<A_long>(std::lround(scriptReal(text, "time") * 1000)), 1000};
}

int scriptInt(const std::string& text, const char* what) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || errno != 0 || value < INT32_MIN || value > INT32_MAX)
        throw ScriptError(std::string("not a number for ") + what + ": " + text);
    return static_cast<int>(value);
}

void expectArgs(const std::vector<std::string>& args, std::size_t min, std::size_t max, const char* usage) {
    if (args.size() < min || args.size() > max) throw ScriptError(std::string("usage: ") + usage);
}

}  // namespace simhost
