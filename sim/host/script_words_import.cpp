// import FILE: the flavor that accepts the file's extension verifies it, then imports it.
#include "sim/host/file_import.h"
#include "sim/host/script_words.h"

namespace simhost {

namespace {

void import(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 1, "import FILE");
    ImportFlavor flavor;
    {
        auto guard = context.host.lock();
        const ImportFlavor* found = context.host.registrations().flavorForFile(args[0]);
        if (found == nullptr) throw ScriptError("no import flavor accepts " + args[0]);
        flavor = *found;
    }
    const SimHost::VerifyResult verified = context.host.verifyImport(flavor, args[0]);
    context.out << "verify flavor=\"" << flavor.name << "\" result=" << verified.result
                << " importable=" << (verified.importable ? 1 : 0) << '\n';
    if (verified.result != A_Err_NONE || !verified.importable) return;
    const ImportResult imported = importWithFlavor(context.host, flavor, args[0]);
    context.out << "import flavor=\"" << flavor.name << "\" result=" << imported.result
                << " item=" << imported.item << '\n';
}

}  // namespace

void addImportWords(WordTable& words) {
    words.add("import", import);
}

}  // namespace simhost
