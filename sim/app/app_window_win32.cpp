// The window lives on a thread of its own that pumps its messages until the window is closed.
#include <windows.h>

#include <atomic>
#include <thread>

#include "sim/app/app_window.h"

namespace simapp {

struct AppWindow::State {
    std::thread thread;
    std::atomic<DWORD> threadId{0};
};

namespace {

const char* const kClassName = "SkeldaSimulatedApplication";

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

AppWindow::AppWindow() : state_(std::make_unique<State>()) {
    std::atomic<bool> ready{false};
    state_->thread = std::thread([this, &ready] {
        state_->threadId = ::GetCurrentThreadId();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        ::RegisterClassA(&windowClass);
        const HWND window =
            ::CreateWindowExA(0, kClassName, "Untitled - Skelda", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 320, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
        if (window) ::ShowWindow(window, SW_SHOWNOACTIVATE);
        ready = true;
        if (!window) return;
        MSG message;
        while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    });
    while (!ready) std::this_thread::yield();
}

AppWindow::~AppWindow() {
    if (const DWORD id = state_->threadId) ::PostThreadMessageA(id, WM_QUIT, 0, 0);
    state_->thread.join();
}

}  // namespace simapp
