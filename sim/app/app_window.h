#pragma once

#include <memory>

namespace simapp {

// The application's main window, whose title ends with the product name so that the plug-in
// finds it. Only Windows has one; elsewhere the object does nothing.
class AppWindow {
public:
    AppWindow();
    ~AppWindow();
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace simapp
