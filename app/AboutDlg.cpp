#include "app/AboutDlg.h"

#include "platform/Product.h"
#include "resources/Templates.h"
#include "ui/Static.h"

TViewAboutDlg::TViewAboutDlg(TWindow* parent)
    : TDialog(parent, AboutTemplate())
{
}

void TViewAboutDlg::SetupWindow()
{
    TDialog::SetupWindow();
    if (auto* version = ControlAs<TStatic>(IdAboutVersion))
        version->SetText(std::string(kProductName) + std::string(kVersionText));
}
