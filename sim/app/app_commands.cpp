#include "sim/app/app_commands.h"

#include <iostream>
#include <mutex>
#include <sstream>
#include <stdexcept>

#include "link/pipe.h"
#include "message/message.h"
#include "message/xml_archive.h"
#include "sim/app/app_window.h"
#include "sim/app/motion.h"
#include "sim/app/sim_app.h"

namespace simapp {

namespace {

struct Options {
    std::vector<std::string> words;
    std::string actions;
    std::string result;
    std::string motion;
    int frames = 0;
    bool verbose = false;
    std::string pipe = kApplicationPipeName;
    std::string pluginPipe = kPluginPipeName;
};

Options parse(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--actions")
            options.actions = value();
        else if (arg == "--result")
            options.result = value();
        else if (arg == "--motion")
            options.motion = value();
        else if (arg == "--frames")
            options.frames = std::stoi(value());
        else if (arg == "--verbose")
            options.verbose = true;
        else if (arg == "--pipe")
            options.pipe = value();
        else if (arg == "--plugin-pipe")
            options.pluginPipe = value();
        else if (arg.rfind("--", 0) == 0)
            throw std::invalid_argument("unknown option " + arg);
        else
            options.words.push_back(arg);
    }
    return options;
}

PossibleActions parseActions(const std::string& list) {
    PossibleActions actions;
    std::istringstream names(list);
    for (std::string name; std::getline(names, name, ',');) {
        if (name == "Underlay")
            actions.underlay = true;
        else if (name == "Overlay")
            actions.overlay = true;
        else if (name == "StillOverlay")
            actions.stillOverlay = true;
        else if (name == "Transformations")
            actions.transformations = true;
        else if (name == "Project")
            actions.project = true;
        else if (!name.empty())
            throw std::invalid_argument("unknown action " + name);
    }
    return actions;
}

std::string actionsText(const PossibleActions& a) {
    std::ostringstream text;
    text << "Underlay=" << a.underlay << " Overlay=" << a.overlay << " StillOverlay=" << a.stillOverlay
         << " Transformations=" << a.transformations << " Project=" << a.project;
    return text.str();
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

std::string unhex(const std::string& text) {
    if (text.size() % 2 != 0) throw std::invalid_argument("odd number of hex digits");
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2)
        bytes += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    return bytes;
}

// A project file gives the project and its tracking result; a motion, when given too, replaces
// the tracking result.
AppResult resultOf(const Options& options, const std::string& motion) {
    AppResult result;
    if (!options.result.empty()) result = AppResult::fromProjectFile(options.result);
    if (!motion.empty()) result.setTransformations(generateMotion(motion, options.frames));
    return result;
}

int serve(const Options& options, bool console, std::istream& in, std::ostream& out) {
    std::mutex outMutex;
    const auto say = [&](const std::string& line) {
        std::lock_guard<std::mutex> lock(outMutex);
        out << line << std::endl;
    };
    AppSettings settings;
    settings.applicationPipe = options.pipe;
    settings.pluginPipe = options.pluginPipe;
    settings.actions = parseActions(options.actions);
    settings.result = resultOf(options, options.motion);
    settings.logRequests = options.verbose;
    // The window first: once the pipe answers, the application can be found both ways.
    AppWindow window;
    SimApplication app(std::move(settings), say);
    say("serving " + options.pipe);
    if (!console) {
        app.waitUntilFinished();
        return 0;
    }
    for (std::string line; !app.finished() && std::getline(in, line);) {
        std::istringstream words(line);
        std::string word, argument;
        words >> word >> argument;
        if (word == "quit") break;
        if (word == "actions") {
            app.setActions(parseActions(argument));
            say("actions " + actionsText(app.actions()));
        } else if (word == "uploads") {
            for (const Upload& upload : app.uploads())
                say(std::string("upload ") + (upload.type == MessageType::Underlay ? "Underlay" : "Overlay") +
                    " " + std::to_string(upload.frames) + " frames " + upload.bytes);
            say("end");
        } else if (word == "model" && !options.motion.empty()) {
            // The same motion, converted by another export model from now on.
            app.setResult(resultOf(options, options.motion + ",model=" + argument));
            say("model " + argument);
        } else if (word == "push") {
            app.pushLater(argument == "project" ? MessageType::Project : MessageType::Transformations);
        } else if (!word.empty()) {
            say("unknown " + word);
        }
    }
    return 0;
}

int ask(const Options& options, std::ostream& out) {
    if (options.words.size() < 2) throw std::invalid_argument("ask underlay|overlay|actions");
    const std::string& what = options.words[1];
    const MessageType type = what == "underlay"  ? MessageType::Underlay
                             : what == "overlay" ? MessageType::Overlay
                             : what == "actions" ? MessageType::PossibleActions
                                                 : throw std::invalid_argument("ask what? " + what);
    std::string reply;
    ClientPipe(options.pluginPipe).transact(Message(type).toBytes(), reply);
    Message message;
    if (!reply.empty()) message.fromBytes(reply);
    if (message.type() == MessageType::PossibleActions) {
        PossibleActions actions;
        serializePossibleActions(XmlArchive::reader(message.root()), actions);
        out << actionsText(actions) << std::endl;
        return 0;
    }
    if (message.type() == MessageType::Error) {
        out << "error " << [&] {
            try {
                message.throwUnexpected();
            } catch (const std::exception& e) {
                return std::string(e.what());
            }
        }() << std::endl;
        return 1;
    }
    out << "reply " << reply << std::endl;
    return 0;
}

int push(const Options& options, std::ostream& out) {
    if (options.words.size() < 3) throw std::invalid_argument("push transformations|project FILE");
    const AppResult result = AppResult::fromProjectFile(options.words[2]);
    AppSettings settings;
    settings.pluginPipe = options.pluginPipe;
    const bool project = options.words[1] == "project";
    const std::string& bytes = project ? result.projectMessage() : result.transformationsMessage();
    std::string reply;
    ClientPipe(options.pluginPipe).transact(bytes, reply);
    Message message;
    if (!reply.empty()) message.fromBytes(reply);
    if (message.type() == MessageType::Error) {
        try {
            message.throwUnexpected();
        } catch (const std::exception& e) {
            out << "error " << e.what() << std::endl;
        }
        return 1;
    }
    out << "ok" << std::endl;
    return 0;
}

int sendRaw(const Options& options, std::ostream& out) {
    if (options.words.size() < 2) throw std::invalid_argument("send-raw HEX");
    const std::string bytes = unhex(options.words[1]);
    const std::unique_ptr<PipeStream> stream = openClientStream(options.pluginPipe);
    stream->setTimeout(std::chrono::seconds(10));
    stream->writeAll(bytes.data(), bytes.size(), "WriteFile (pipe, msg_content)");
    std::string reply;
    readMessage(*stream, reply);
    out << "reply " << hex(reply) << std::endl;
    return 0;
}

}  // namespace

int runProgram(const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    try {
        const Options options = parse(args);
        if (options.words.empty()) return serve(options, false, in, out);
        const std::string& word = options.words[0];
        if (word == "serve") return serve(options, true, in, out);
        if (word == "ask") return ask(options, out);
        if (word == "push") return push(options, out);
        if (word == "send-raw") return sendRaw(options, out);
        throw std::invalid_argument("unknown word " + word);
    } catch (const std::exception& e) {
        out << "error " << e.what() << std::endl;
        return 2;
    }
}

}  // namespace simapp
