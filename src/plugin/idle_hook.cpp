#include "host/hook_guard.h"
#include "plugin/deferred_task_queue.h"
#include "plugin/hooks.h"
#include "plugin/plugin_state.h"

A_Err AEGP_API IdleHook(AEGP_GlobalRefcon, AEGP_IdleRefcon, A_long*) {
    return HookGuard([]() -> A_Err {
        // The task is destroyed when this block ends, whether execute returned or threw.
        if (std::unique_ptr<DeferredTask> task = deferredTaskQueue().pop()) task->execute();
        return A_Err_NONE;
    });
}
