#pragma once

#include "ui/Dialog.h"

#include <functional>
#include <string>

// The save command's two small windows: a line of text over one button. The save runs on the
// one thread while one of them is up, so it is shown without a loop of its own; while it is
// up no other window of the program takes input. Its button, Enter, Esc and its close box
// all call the hook the save gave it, and the save decides what follows.
class TSaveStatusDialog : public TDialog {
public:
    TSaveStatusDialog(TWindow* owner, const TDialogTemplate& dialogTemplate,
        const std::string& caption, std::function<void()> pressed);

    void SetText(const std::string& text);
    std::string Text() const;
    // Shows the window over its owner and gives it the input.
    void ShowOver();

    void EvCommand(int id) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> m_pressed;
};

// The progress window while the file is written: Cancel stops the writing.
class TSaveCancelDialog : public TSaveStatusDialog {
public:
    TSaveCancelDialog(TWindow* owner, const std::string& caption, std::function<void()> cancel);
};

// The confirmation after the save or its cancel: OK ends it early.
class TSaveOKDialog : public TSaveStatusDialog {
public:
    TSaveOKDialog(TWindow* owner, const std::string& caption, std::function<void()> ok);
};
