#pragma once

#include "ui/StatusDialog.h"

// The progress window while the file is written: Cancel stops the writing.
class TSaveCancelDialog : public TStatusDialog {
public:
    TSaveCancelDialog(TWindow* owner, const std::string& caption, std::function<void()> cancel);
};

// The confirmation after the save or its cancel: OK ends it early.
class TSaveOKDialog : public TStatusDialog {
public:
    TSaveOKDialog(TWindow* owner, const std::string& caption, std::function<void()> ok);
};
