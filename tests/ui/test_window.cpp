#include "platform/MessagePump.h"
#include "resources/Templates.h"
#include "ui/Accelerators.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Window.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

constexpr int kRepost = 50;

// Records what reaches it; command kRepost posts itself again, as a deferred request does.
class TRecorder : public TWindow {
public:
    using TWindow::TWindow;

    void EvCommand(int id) override
    {
        commands.push_back(id);
        if (id == kRepost)
            PostCommand(kRepost);
    }
    bool EvMenuChar(QChar letter) override
    {
        menuChars.push_back(letter);
        return true;
    }
    bool CanClose() override { return allowClose; }

    std::vector<int> commands;
    std::vector<int> timerTicks;
    std::vector<QChar> menuChars;
    bool allowClose = true;

protected:
    void EvTimer(int id) override { timerTicks.push_back(id); }
};

} // namespace

TEST(Commands, PostedCommandWaitsForTheQueueWhileSentOneRunsAtOnce)
{
    TRecorder window;
    window.PostCommand(134);
    window.SendCommand(2);
    EXPECT_EQ(window.commands, std::vector<int> { 2 });
    QCoreApplication::processEvents();
    EXPECT_EQ(window.commands, (std::vector<int> { 2, 134 }));
}

TEST(Commands, ButtonClickReachesItsWindowAsTheButtonsId)
{
    TRecorder window;
    auto* button = new TButton(&window, 126);
    button->click();
    EXPECT_EQ(window.commands, std::vector<int> { 126 });
}

TEST(Commands, PumpStepRunsARequestThatRepostsItselfOncePerStep)
{
    TRecorder window;
    window.PostCommand(kRepost);
    PumpOneMessage();
    EXPECT_EQ(window.commands.size(), 1u);
    PumpOneMessage();
    EXPECT_EQ(window.commands.size(), 2u);
}

// A decode started by a posted command draws and pumps: what it draws shows at its next step,
// even when the window's request to paint was already waiting behind the command.
TEST(Commands, PumpStepPaintsWhatADecodeStartedFromTheQueueDraws)
{
    class TDrawing : public TWindow {
    public:
        void EvCommand(int) override
        {
            UpdateSoon(rect());
            PumpOneMessage();
            paintedDuring = painted;
        }
        int painted = 0;
        int paintedDuring = 0;

    protected:
        void paintEvent(QPaintEvent*) override { ++painted; }
    } window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    window.painted = 0;
    window.PostCommand(1);
    window.update();
    QCoreApplication::processEvents();
    EXPECT_GE(window.paintedDuring, 1);
}

TEST(Commands, QueuedCloseRequestAsksTheWindowWhenItArrives)
{
    TRecorder window;
    window.show();
    window.allowClose = false;
    window.PostCloseRequest();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    window.allowClose = true;
    window.PostCloseRequest();
    EXPECT_TRUE(window.isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}

TEST(Timers, TicksCarryTheWindowsOwnIdsAndKillingStopsThem)
{
    TRecorder window;
    window.SetTimer(3, 5);
    window.SetTimer(1, 5);
    window.SetTimer(3, 7); // replaces the first timer 3
    EXPECT_EQ(window.TimerInterval(3), 7);
    QTest::qWait(60);
    EXPECT_NE(std::count(window.timerTicks.begin(), window.timerTicks.end(), 3), 0);
    EXPECT_NE(std::count(window.timerTicks.begin(), window.timerTicks.end(), 1), 0);
    window.KillTimer(3);
    window.KillTimer(1);
    EXPECT_FALSE(window.HasTimer(3));
    EXPECT_EQ(window.TimerInterval(3), 0);
    window.timerTicks.clear();
    QTest::qWait(30);
    EXPECT_TRUE(window.timerTicks.empty());
}

TEST(AcceleratorTable, KeyEntriesNeedExactlyTheirModifiers)
{
    const TAccelTable& browser = BrowserAccelerators();
    EXPECT_EQ(browser.Translate(Qt::Key_Delete, Qt::NoModifier), 314);
    EXPECT_EQ(browser.Translate(Qt::Key_Delete, Qt::ShiftModifier), 321);
    EXPECT_EQ(browser.Translate(Qt::Key_Delete, Qt::ControlModifier), std::nullopt);
    EXPECT_EQ(browser.Translate(Qt::Key_Return, Qt::ShiftModifier), 143);
    // The keypad's Enter is Enter; the keypad flag itself does not count.
    EXPECT_EQ(browser.Translate(Qt::Key_Enter, Qt::KeypadModifier), 301);
    EXPECT_EQ(browser.Translate(Qt::Key_A, Qt::ControlModifier), 318);
    EXPECT_EQ(browser.Translate(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier), std::nullopt);
}

TEST(AcceleratorTable, CharacterEntriesMatchWithShiftUpOrDown)
{
    const TAccelTable& view = ViewAccelerators();
    EXPECT_EQ(view.Translate(Qt::Key_F, Qt::ControlModifier), 322);
    EXPECT_EQ(view.Translate(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier), 322);
    EXPECT_EQ(view.Translate(Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier), 315);
    EXPECT_EQ(view.Translate(Qt::Key_X, Qt::AltModifier | Qt::ControlModifier), std::nullopt);
    EXPECT_EQ(view.Translate(Qt::Key_Space, Qt::ShiftModifier), std::nullopt);
}

// The table answers with the first entry that matches, so an entry after another for the same
// key and modifiers (a character entry's Shift aside) could never match.
TEST(AcceleratorTable, NoEntryHidesBehindAnEarlierOne)
{
    for (const TAccelTable* table : { &BrowserAccelerators(), &ViewAccelerators() }) {
        std::set<std::pair<int, int>> seen;
        for (const TAccelEntry& entry : table->Entries()) {
            const Qt::KeyboardModifiers modifiers
                = entry.character ? entry.modifiers & ~Qt::ShiftModifier : entry.modifiers;
            EXPECT_TRUE(seen.emplace(entry.key, modifiers.toInt()).second)
                << "table " << table->Id() << ", key " << entry.key;
        }
    }
}

TEST(AcceleratorDispatch, KeysInAControlBecomeCommandsOfTheWindowHoldingTheTable)
{
    TRecorder window;
    window.SetAccelerators(&BrowserAccelerators());
    auto* edit = new TEdit(&window, 124);
    bool editSawReturn = false;
    QObject::connect(edit, &QLineEdit::returnPressed, [&] { editSawReturn = true; });
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(window.commands, (std::vector<int> { 301, 219 }));
    EXPECT_FALSE(editSawReturn);
    // Keys the table does not hold stay the control's.
    QTest::keyClick(edit, Qt::Key_B);
    EXPECT_EQ(edit->GetText(), "b");
}

TEST(AcceleratorDispatch, AWindowOfItsOwnDoesNotUseItsOwnersTable)
{
    TRecorder owner;
    owner.SetAccelerators(&BrowserAccelerators());
    TRecorder* owned = new TRecorder(&owner, Qt::Window);
    QTest::keyClick(owned, Qt::Key_Escape);
    EXPECT_TRUE(owner.commands.empty());
    owned->SetAccelerators(&ViewAccelerators());
    QTest::keyClick(owned, Qt::Key_Escape);
    EXPECT_EQ(owned->commands, std::vector<int> { 303 });
    EXPECT_TRUE(owner.commands.empty());
}

TEST(AcceleratorDispatch, AltLetterNoControlTakesIsTheTopLevelWindowsMenuCharacter)
{
    TRecorder frame;
    auto* client = new TRecorder(&frame);
    auto* edit = new TEdit(client, 124);
    QTest::keyClick(edit, Qt::Key_Q, Qt::AltModifier);
    QTest::keyClick(edit, Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Q, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_EQ(frame.menuChars, (std::vector<QChar> { u'q', u'Q' }));
    EXPECT_TRUE(client->menuChars.empty());
}
