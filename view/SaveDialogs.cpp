#include "view/SaveDialogs.h"

#include "resources/Templates.h"

TSaveCancelDialog::TSaveCancelDialog(
    TWindow* owner, const std::string& caption, std::function<void()> cancel)
    : TStatusDialog(owner, SaveCancelTemplate(), IdSaveText, caption, std::move(cancel))
{
}

TSaveOKDialog::TSaveOKDialog(TWindow* owner, const std::string& caption, std::function<void()> ok)
    : TStatusDialog(owner, SaveOKTemplate(), IdSaveText, caption, std::move(ok))
{
}
