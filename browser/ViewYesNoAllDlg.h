#pragma once

#include "ui/Dialog.h"

#include <string>

// The question asked before each of several files is overwritten or, being read-only,
// deleted: Yes (1), Yes to All (1, and the answer for the rest of the run) and No (2, as is
// closing it). Its caption is "Pelorin - overwrite confirmation" unless the caller gives
// another; the style's question-mark icon stands before the text.
class TViewYesNoAllDlg : public TDialog {
public:
    TViewYesNoAllDlg(TWindow* parent, std::string text);

    bool YesToAll() const { return m_yesToAll; }

    void EvCommand(int id) override;

protected:
    void SetupWindow() override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::string m_text;
    bool m_yesToAll = false;
};

// Asks the question of one file of a run, unless Yes to All was answered earlier in the run
// (yesToAll, which Yes to All sets); an empty caption keeps the dialog's own. True for Yes.
bool AskYesNoAll(
    TWindow& parent, const std::string& text, const std::string& caption, bool& yesToAll);
