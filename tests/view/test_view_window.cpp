#include "tests/view/ViewFixture.h"
#include "ui/support/RecordingHelp.h"

TEST_F(ViewTest, ClosingTellsTheBrowserUnlessItClosedTheWindowOrTheProgramEnds)
{
    Open();
    view->CloseFromBrowser();
    Flush();
    EXPECT_TRUE(browser.commands.empty());

    // Alt+X: the window closes through the queue and the browser is told to end the program.
    Open();
    view->SendCommand(CmCloseAndExit);
    EXPECT_TRUE(view->isVisible());
    Flush();
    EXPECT_EQ(view.data(), nullptr);
    Flush();
    EXPECT_EQ(browser.commands, std::vector<int> { CmExit });
}

TEST_F(ViewTest, F1OpensTheHelpAtTheViewingWindowsContext)
{
    TRecordingHelp help;
    SetHelpService(&help);
    SetHelpFile("Pelorin.hlp");
    Open();
    view->SendCommand(CmViewHelp);
    SetHelpService(nullptr);
    EXPECT_EQ(help.opened, (std::vector<std::pair<std::string, int>> { { "Pelorin.hlp", 3 } }));
}
