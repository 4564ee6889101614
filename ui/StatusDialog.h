#pragma once

#include "ui/Dialog.h"

#include <functional>
#include <string>

// A small window of a line of text over one button, up while work runs on the one thread: it
// is shown without a loop of its own, and while it is up no other window of the program takes
// input. Its button, Enter, Esc and its close box all call the hook its owner gave it, and the
// owner decides what follows.
class TStatusDialog : public TDialog {
public:
    TStatusDialog(TWindow* owner, const TDialogTemplate& dialogTemplate, int textId,
        const std::string& caption, std::function<void()> pressed);

    void SetText(const std::string& text);
    std::string Text() const;
    // Shows the window over its owner and gives it the input.
    void ShowOver();

    void EvCommand(int id) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    int m_textId;
    std::function<void()> m_pressed;
};
