#pragma once

#include <chrono>
#include <exception>
#include <string>

#include "link/pipe.h"
#include "link/worker_thread.h"
#include "message/message.h"

// Serves one pipe on its own thread, one connection at a time: reads a request Message, lets
// `handle` rewrite it into the reply, sends the reply. Only `stop` ends it: a client that sends
// the empty frame is just dropped. A client's failure (a malformed or stalled frame, a handler
// that throws) is reported through `error` and the next client served at once; a failure of
// the pipe itself ends the run, which starts afresh after a pause.
class MessageServer : public WorkerThread {
public:
    // Creates the pipe (raising "CreateNamedPipe" when it cannot); the thread waits for `resume`.
    explicit MessageServer(const std::string& pipeName,
                           std::chrono::milliseconds clientWait = ServerPipe::kDefaultClientWait);
    // Stops a server still running. Never throws: that would end the host's process. A derived
    // class stops the server in its own destructor, before its `handle` is gone.
    ~MessageServer() override;

    // Ends serving from whatever it waits for, within a fraction of a second, and waits for the
    // thread's end. A handler or an error report in progress is not cut short.
    void stop();

    ServerPipe& pipe() { return pipe_; }

    // The reply frame to one request frame. A request that cannot be parsed raises (no reply is
    // due). A handler that raises leaves the Error reply "exception occured" in `reply` and its
    // exception in `handlerFailure`; a request `handle` does not know gets "unknown message".
    // Works on the server's own message: only the serving thread calls it, or a caller whose
    // server no client reaches. The request's text is taken over by the parsed message, and the
    // message is dropped once the reply is made, so no request outlives its answer.
    void answer(std::string&& request, std::string& reply, std::exception_ptr& handlerFailure);
    void answer(const std::string& request, std::string& reply, std::exception_ptr& handlerFailure) {
        answer(std::string(request), reply, handlerFailure);
    }

protected:
    // True when the request was understood and `message` now holds the reply.
    virtual bool handle(Message& message) = 0;

    void run() override;

    // Lets any client's empty frame end serving, as the application's own pipe allows: a
    // program that stands in for it is stopped that way. Call before `resume`.
    void setEndOnEmptyFrame(bool end) { endOnEmptyFrame_ = end; }

private:
    void reportClientFailure(const std::string& text) noexcept;

    ServerPipe pipe_;
    int failuresInARow_ = 0;
    bool endOnEmptyFrame_ = false;
    std::string request_;
    std::string reply_;
    Message message_;
};
