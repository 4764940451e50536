#pragma once

#include <functional>
#include <string>
#include <thread>

namespace simhost {

// Where a module asks its question in a system message box of its own (Windows), a user who
// presses the button with this label (letter case and '&' ignored) once such a box shows, within
// ten seconds; `pressed` gets the box's text first. Elsewhere the window services take the queued
// answer, and the thread returned does nothing.
std::thread pressButtonWhenShown(const std::string& label, std::function<void(const std::string&)> pressed);

}  // namespace simhost
