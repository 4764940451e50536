#include "link/worker_thread.h"

#include <iostream>

#include "link/error_report.h"
#include "support/fault_guard.h"

WorkerThread::WorkerThread(bool startSuspended) {
    if (!startSuspended) resume();
}

WorkerThread::~WorkerThread() {
    if (thread_.joinable()) thread_.join();
}

void WorkerThread::resume() {
    if (!thread_.joinable() && !finished_) thread_ = std::thread(&WorkerThread::entry, this);
}

bool WorkerThread::isFinished() const {
    return finished_ || !thread_.joinable();
}

bool WorkerThread::join() {
    if (thread_.joinable()) thread_.join();
    return succeeded_;
}

void WorkerThread::error(const std::string& text) {
    std::clog << "\nthread error: " << text << std::endl;
    writeDebugOutput(text);
}

void WorkerThread::entry() {
    const auto body = [this] { run(); };
    const auto report = [this](const std::string& text) {
        succeeded_ = false;
        // Nothing may leave the thread: an exception here would end the host's process.
        try {
            error(text);
        } catch (...) {
        }
    };
    bool ok = runGuarded(body, report);
    while (!ok && restart_) ok = runGuarded(body, report);
    finished_ = true;
}
