#include "tests/view/ViewFixture.h"

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
