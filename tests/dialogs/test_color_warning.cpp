#include "dialogs/ViewColorWarnDlg.h"
#include "resources/ColorWarnIds.h"
#include "tests/dialogs/DialogFixture.h"
#include "ui/Button.h"

#include <QTest>

using ColorWarning = DialogTest;

// Only OK looks at the box, and then writes the key at once; Help keeps the dialog open.
TEST_F(ColorWarning, OkWithTheBoxCheckedTurnsTheWarningOffInMemoryAndFile)
{
    struct TCase {
        bool checked;
        Qt::Key key;
        std::optional<std::string> stored;
    };
    for (const TCase& test :
        { TCase { true, Qt::Key_Return, "0" }, TCase { false, Qt::Key_Return, std::nullopt },
            TCase { true, Qt::Key_Escape, std::nullopt } }) {
        Settings().ShowColorWarning = true;
        std::filesystem::remove(folder.File("Pelorin.ini"));
        TViewColorWarnDlg dialog(nullptr, Settings());
        const int result = Run<TViewColorWarnDlg>(dialog, [&](TViewColorWarnDlg& shown) {
            shown.ControlAs<TCheckBox>(IdWarningOff)->setChecked(test.checked);
            shown.EvCommand(IdWarningHelp);
            EXPECT_EQ(shown.Result(), 0);
            QTest::keyClick(&shown, test.key);
            return shown.Result();
        });
        EXPECT_EQ(result, test.key == Qt::Key_Escape ? kIdCancel : kIdOk);
        EXPECT_EQ(IniValue("ShowColorWarning"), test.stored);
        EXPECT_EQ(Settings().ShowColorWarning, !test.stored);
    }
    EXPECT_EQ(modal.Dialogs().at(0).caption, "Pelorin -  display warning");
    EXPECT_EQ(help.opened.at(0).second, 4);
}
