// answer, dialogs, undo, references.
#include "sim/host/question_robot.h"
#include "sim/host/script_words.h"

namespace simhost {

namespace {

void answer(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 2, "answer path PATH | answer cancel | answer cancel-at K | answer button LABEL");
    DialogAnswer queued;
    if (args[0] == "path" && args.size() == 2) {
        queued.kind = DialogAnswer::Kind::Path;
        queued.path = args[1];
    } else if (args[0] == "cancel" && args.size() == 1) {
        queued.kind = DialogAnswer::Kind::Cancel;
    } else if (args[0] == "cancel-at" && args.size() == 2) {
        queued.kind = DialogAnswer::Kind::CancelAt;
        queued.step = scriptInt(args[1], "K");
        if (queued.step < 0) throw ScriptError("K counts from 0");
    } else if (args[0] == "button" && args.size() == 2) {
        queued.kind = DialogAnswer::Kind::Button;
        queued.path = args[1];
    } else {
        throw ScriptError(
            "usage: answer path PATH | answer cancel | answer cancel-at K | answer button LABEL");
    }
    auto guard = context.host.lock();
    context.host.windows().queueAnswer(queued);
    if (queued.kind != DialogAnswer::Kind::Button) return;
    // A module that asks in a box of its own is answered there, and the question recorded all the same.
    SimHost& host = context.host;
    const std::string label = queued.path;
    host.windows().addUser(pressButtonWhenShown(label, [&host, label](const std::string& text) {
        auto held = host.lock();
        host.windows().shown().push_back("question caption=\"Skelda\" text=" + quotedText(text) +
                                         " answer=" + quotedText(label));
    }));
}

void dialogs(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 1, "dialogs [clear]");
    auto guard = context.host.lock();
    if (!args.empty()) {
        if (args[0] != "clear") throw ScriptError("usage: dialogs [clear]");
        context.host.windows().shown().clear();
        return;
    }
    for (const std::string& line : context.host.windows().shown()) context.out << line << '\n';
}

// Each undo group with the changes made while it was the innermost open one; `undo last` puts
// the project back as it was before the last closed group.
void undo(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 1, "undo [last]");
    auto guard = context.host.lock();
    if (!args.empty()) {
        if (args[0] != "last") throw ScriptError("usage: undo [last]");
        if (!context.host.undoHistory().undoLast(context.host.model())) throw ScriptError("nothing to undo");
        return;
    }
    const std::vector<UndoGroup>& groups = context.host.model().undoGroups();
    struct Tally {
        int changes = 0;
        int keys = 0;
        int deleted = 0;
    };
    std::vector<Tally> tallies(groups.size() + 1);
    for (const RecordedChange& change : context.host.references().changes()) {
        const std::size_t slot =
            change.undoGroup < 0 ? groups.size() : static_cast<std::size_t>(change.undoGroup);
        ++tallies[slot].changes;
        tallies[slot].keys += change.keys;
        tallies[slot].deleted += change.deleted;
    }
    const auto counts = [](const Tally& t) {
        return " changes=" + std::to_string(t.changes) + " keys=" + std::to_string(t.keys) +
               (t.deleted != 0 ? " deleted=" + std::to_string(t.deleted) : std::string());
    };
    for (std::size_t i = 0; i < groups.size(); ++i)
        context.out << "undo \"" << groups[i].name << "\" "
                    << (groups[i].open     ? "open"
                        : groups[i].undone ? "undone"
                                           : "closed")
                    << counts(tallies[i]) << '\n';
    if (tallies.back().changes != 0) context.out << "undo none" << counts(tallies.back()) << '\n';
}

void references(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 0, "references");
    auto guard = context.host.lock();
    const std::vector<std::string> held = context.host.references().outstanding();
    if (held.empty()) context.out << "references balanced\n";
    for (const std::string& line : held) context.out << line << '\n';
}

}  // namespace

void addDialogWords(WordTable& words) {
    words.add("answer", answer);
    words.add("dialogs", dialogs);
    words.add("undo", undo);
    words.add("references", references);
}

}  // namespace simhost
