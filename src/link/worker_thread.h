#pragma once

#include <atomic>
#include <string>
#include <thread>

// A thread running the virtual `run` under the fault guard. An error of a run (an exception,
// or a processor fault of the thread) is passed to `error`; while `restart` is set, `run` is
// then started again.
class WorkerThread {
public:
    // A suspended thread does not run before `resume`, so that a derived object is complete first.
    explicit WorkerThread(bool startSuspended);
    // Waits for the thread: a derived class must have ended its body before.
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void resume();
    // The thread has ended (or never started).
    bool isFinished() const;
    // Waits for the thread's end; whether every run ended without error.
    bool join();

protected:
    virtual void run() = 0;
    // Default: "\nthread error: " and the text on the standard log stream, and to the debugger.
    virtual void error(const std::string& text);

    void setRestart(bool restart) { restart_ = restart; }

private:
    void entry();

    std::thread thread_;
    std::atomic<bool> succeeded_{true};
    std::atomic<bool> restart_{false};
    std::atomic<bool> finished_{false};
};
