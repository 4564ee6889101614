#include "resources/BrowserIds.h"
#include "resources/ResourceIds.h"
#include "tests/app/AppFixture.h"
#include "ui/Control.h"

#include <QAbstractButton>
#include <QCoreApplication>

// The set-up posts the colour warning while it is on and the screen has 14 bits per pixel or
// fewer; the Options button runs the options dialog.
TEST_F(MainWindowTest, BrowserOpensTheColourWarningAndTheOptions)
{
    TViewFileDlg::BrowserCreatedBefore() = true; // keep the settings set here
    for (const auto& [depth, on, shown] : { std::tuple { 8, true, true }, { 14, true, true },
             { 15, true, false }, { 8, false, false } }) {
        SetScreenOverride(MakeScreenInfo(1024, 768, depth));
        Settings().ShowColorWarning = on;
        const size_t before = modal.Dialogs().size();
        TViewFileDlg browser(nullptr, kBrowserMultiple640);
        browser.Create();
        QCoreApplication::processEvents();
        EXPECT_EQ(modal.Dialogs().size(), before + shown) << depth << on;
        EXPECT_EQ(modal.Dialogs().back().templateId, kColorWarnTemplate);
    }
    TViewFileDlg browser(nullptr, kBrowserMultiple640);
    browser.Create();
    dynamic_cast<QAbstractButton*>(browser.Control(IdOptionsButton)->Widget())->click();
    EXPECT_EQ(modal.Dialogs().back().templateId, kOptionsTemplate);
}
