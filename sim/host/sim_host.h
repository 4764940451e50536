#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "aegp_suites.h"
#include "sim/host/fault_injector.h"
#include "sim/host/host_menus.h"
#include "sim/host/host_model.h"
#include "sim/host/host_references.h"
#include "sim/host/host_windows.h"
#include "sim/host/registrations.h"
#include "sim/host/suite_bookkeeping.h"
#include "sim/host/undo_history.h"

namespace simhost {

class LoadedModule;

// The simulated host: its suites, its project, what modules registered, what was shown to the
// user, and the faults a test asked for. One host is current at a time; its suites reach it
// through SimHost::current(). Every suite call runs under the host's lock; the host never holds
// the lock while it calls into a module.
class SimHost {
public:
    // Becomes the current host; throws std::logic_error when another one is.
    SimHost();
    // Shuts down (death hooks, unload) and stops being current.
    ~SimHost();

    SimHost(const SimHost&) = delete;
    SimHost& operator=(const SimHost&) = delete;

    static SimHost* current();

    const SPBasicSuite* basicSuite() const;
    std::unique_lock<std::recursive_mutex> lock() { return std::unique_lock<std::recursive_mutex>(mutex_); }

    HostModel& model() { return model_; }
    HostMenus& menus() { return menus_; }
    Registrations& registrations() { return registrations_; }
    SuiteBookkeeping& suites() { return suites_; }
    FaultInjector& faults() { return faults_; }
    // The messages shown to the user, oldest first.
    std::vector<std::string>& reports() { return reports_; }
    // Stream, effect and keyframe-batch references handed out, and the changes made through them.
    HostReferences& references() { return references_; }
    // The dialogs shown through the window services and the answers queued for them.
    HostWindows& windows() { return windows_; }
    // The project before each outermost undo group, for undoing the last one.
    UndoHistory& undoHistory() { return undoHistory_; }

    void* mainWindow() const { return mainWindow_; }
    void setMainWindow(void* window) { mainWindow_ = window; }

    bool knowsPlugin(AEGP_PluginID id) const { return refcons_.count(id) != 0; }

    // Calls a module's entry point with a new plug-in id.
    A_Err enter(AEGP_PluginEntryFunc entry, const std::string& modulePath);

    struct LoadResult {
        std::string name;        // from the PiPL
        std::string entryPoint;  // from the PiPL
        A_Err result = 0;
    };
    // Opens a module, reads its PiPL, calls the entry it names and keeps it loaded. Throws
    // std::runtime_error when the module cannot be loaded.
    LoadResult loadModule(const std::string& path);

    // Host shutdown: every death hook once, then every loaded module unloaded.
    void shutdown();

    // Runs every update-menu hook; the first non-zero result, or 0.
    A_Err updateMenus();
    struct CommandResult {
        A_Err result = 0;
        bool handled = false;
    };
    // Offers the command to the command hooks registered for it (or for every command).
    CommandResult runCommand(AEGP_Command command);
    // One idle call to every idle hook; the first non-zero result, or 0. *maxSleep gets the
    // smallest sleep a hook asked for.
    A_Err idle(A_long* maxSleep = nullptr);

    struct VerifyResult {
        A_Err result = 0;
        bool importable = false;
    };
    VerifyResult verifyImport(const ImportFlavor& flavor, const std::string& path);

    // Import bookkeeping: an options handle for one import and the item a module set for it.
    int beginImport() { return importedItems_.emplace(model_.nextId(), 0).first->first; }
    bool setImportedItem(int options, int item);
    int importedItem(int options) const;

private:
    std::vector<RegisteredHook> hooksOf(HookKind kind);
    AEGP_GlobalRefcon refconOf(AEGP_PluginID plugin);

    std::recursive_mutex mutex_;
    HostModel model_;
    HostMenus menus_;
    Registrations registrations_;
    SuiteBookkeeping suites_;
    FaultInjector faults_;
    std::vector<std::string> reports_;
    HostReferences references_;
    HostWindows windows_;
    UndoHistory undoHistory_;
    void* mainWindow_ = defaultMainWindow();
    AEGP_PluginID lastPlugin_ = 0;
    std::map<AEGP_PluginID, AEGP_GlobalRefcon> refcons_;
    std::map<int, int> importedItems_;
    std::vector<std::unique_ptr<LoadedModule>> modules_;
    bool dead_ = false;
};

}  // namespace simhost
