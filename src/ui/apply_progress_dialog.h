#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/redraw_pace.h"

// The modeless progress dialog of an apply operation (template 202): "i / N" above a bar from 0
// to N and a Cancel button. The host's main window takes no input while it is open.
class ApplyProgressDialog {
public:
    // Shows the dialog over the host's main window (the handle the host gave; none: on its own)
    // at step 0 of `total`, and disables the main window.
    ApplyProgressDialog(void* mainWindow, std::int32_t total);
    // Closes the dialog if close() was not called; failures are not reported from here.
    ~ApplyProgressDialog();

    ApplyProgressDialog(const ApplyProgressDialog&) = delete;
    ApplyProgressDialog& operator=(const ApplyProgressDialog&) = delete;

    // Reaches step `step`: shows it when the redraw pace allows (always the step before the
    // total, the last one an apply reaches), then lets the dialog handle what the user did
    // meanwhile. True when the user has cancelled: the dialog is no longer shown, and the text
    // names this very step.
    bool advance(std::int32_t step);
    // Tells the user that the application of transforms was interrupted.
    void showInterruption();
    // Enables the main window again and removes the dialog, both also when one of them fails;
    // then raises the first failure.
    void close();

    // The text shown: the step, " / " and the total.
    const std::string& text() const { return text_; }

    class Window;  // the platform's dialog

private:
    // Per platform: sets the text and the bar to `step`, without handling input.
    void show(std::int32_t step);
    // Per platform: lets the dialog handle what the user did; true once Cancel was pressed.
    bool userCancelled(std::int32_t step);

    void* mainWindow_;
    std::int32_t total_;
    std::string text_;
    std::int32_t shown_ = 0;
    RedrawPace pace_;
    std::unique_ptr<Window> window_;
};

// "step / total" in decimal.
std::string progressText(std::int32_t step, std::int32_t total);

// The interruption message.
extern const char kApplyInterruptedText[];
// The dialog's title.
extern const char kApplyProgressTitle[];
