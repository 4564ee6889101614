#pragma once

#include "ui/StatusDialog.h"

// The progress window of a delete or a copy: the file at hand over Cancel, under the caption
// its caller gives. Cancel (the button, Enter, Esc or the close box) sets the process-wide
// cancel flag and closes the window; the run looks at the flag before its next file.
class TCancelDialog : public TStatusDialog {
public:
    TCancelDialog(TWindow* owner, const std::string& caption);
};
