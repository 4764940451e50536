#include "sim/app/app_window.h"

namespace simapp {

struct AppWindow::State {};

AppWindow::AppWindow() = default;
AppWindow::~AppWindow() = default;

}  // namespace simapp
