#include "browser/CancelDialog.h"

#include "platform/ProcessFlags.h"
#include "resources/FileDialogIds.h"
#include "resources/Templates.h"

TCancelDialog::TCancelDialog(TWindow* owner, const std::string& caption)
    : TStatusDialog(owner, CancelTemplate(), IdProgressText, caption, [this] {
        ProcessFlags().cancel = true;
        hide();
    })
{
}
