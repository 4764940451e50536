// footage.
#include "sim/host/footage_files.h"
#include "sim/host/image_size.h"
#include "sim/host/script_words.h"

namespace simhost {

namespace {

// footage NAME FILE...: one file is a still or a movie, several are an image sequence; the pixel
// size comes from the first file when it is a PNG.
void footage(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 2, static_cast<std::size_t>(-1), "footage NAME FILE...");
    auto guard = context.host.lock();
    HostModel& model = context.host.model();
    if (!model.projectOpen()) throw ScriptError("no project is open");
    const std::vector<std::string> files(args.begin() + 1, args.end());
    const int id = model.addFootage(args[0], files, model.rootFolder());
    Item* item = model.item(id);
    readPngSize(nativeForm(files.front()), item->width, item->height);
    context.out << "item " << id << '\n';
}

}  // namespace

void addFootageWords(WordTable& words) {
    words.add("footage", footage);
}

}  // namespace simhost
