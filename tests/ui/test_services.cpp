#include "tests/support/TestFiles.h"
#include "ui/Dialog.h"
#include "ui/HelpService.h"
#include "ui/MountWatch.h"
#include "ui/Scroller.h"
#include "ui/Static.h"
#include "ui/support/ScriptedModalService.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

TEST(ModalService, ScriptedServiceRecordsExactlyWhatTheUserWouldSee)
{
    TScriptedModalService service;
    service.QueueAnswer(kIdCancel);
    EXPECT_EQ(MessageBox(nullptr, "D:\\ is not accessible\n\nThe device is not ready.",
                  "Pelorin - drive error", TMsgIcon::Stop, TMsgButtons::RetryCancel),
        kIdCancel);
    // Without a queued answer the first button is pressed.
    EXPECT_EQ(MessageBox(nullptr, "x.gif", "Pelorin - file not found", TMsgIcon::None), kIdOk);
    EXPECT_EQ(
        MessageBox(nullptr, "again?", "Pelorin - t", TMsgIcon::Question, TMsgButtons::RetryCancel),
        kIdRetry);
    ASSERT_EQ(service.MessageBoxes().size(), 3u);
    const auto& first = service.MessageBoxes()[0];
    EXPECT_EQ(first.text, "D:\\ is not accessible\n\nThe device is not ready.");
    EXPECT_EQ(first.caption, "Pelorin - drive error");
    EXPECT_EQ(first.icon, TMsgIcon::Stop);
    EXPECT_EQ(first.buttons, TMsgButtons::RetryCancel);
    EXPECT_EQ(service.MessageBoxes()[1].icon, TMsgIcon::None);
}

TEST(ModalService, ScriptedDialogRunsAfterTheDialogsSetUp)
{
    TScriptedModalService service;
    TDialogTemplate dialogTemplate;
    dialogTemplate.id = 197;
    dialogTemplate.caption = "Pelorin -  display warning";
    dialogTemplate.cx = 100;
    dialogTemplate.cy = 50;
    dialogTemplate.controls = { { 198, TControlKind::Static, "text", 5, 5, 90, 10 } };
    TDialog dialog(nullptr, dialogTemplate);
    std::string seen;
    service.QueueDialog([&](TDialog& shown) {
        seen = shown.ControlAs<TStatic>(198)->GetText();
        return kIdOk;
    });
    EXPECT_EQ(dialog.Execute(), kIdOk);
    EXPECT_EQ(seen, "text");
    EXPECT_EQ(dialog.Execute(), kIdCancel); // nothing queued
    ASSERT_EQ(service.Dialogs().size(), 2u);
    EXPECT_EQ(service.Dialogs()[0].templateId, 197);
    EXPECT_EQ(service.Dialogs()[0].caption, "Pelorin -  display warning");
}

TEST(ModalService, ScriptedServiceStandsInOnlyWhileItLives)
{
    TModalService* before = &ModalService();
    {
        TScriptedModalService service;
        EXPECT_EQ(&ModalService(), &service);
    }
    EXPECT_EQ(&ModalService(), before);
}

TEST(HelpService, HelpFileOpensAsTheHtmlPageAtTheContextsAnchor)
{
    const QUrl url = HelpUrl("/opt/pelorin/Pelorin.hlp", 2);
    EXPECT_EQ(url.toLocalFile().toStdString(), "/opt/pelorin/Pelorin.html");
    EXPECT_EQ(url.fragment().toStdString(), "context-2");
    // A bare name lies beside the program.
    const QUrl bare = HelpUrl("Pelorin.hlp", 4);
    EXPECT_EQ(
        bare.toLocalFile(), QDir(QCoreApplication::applicationDirPath()).filePath("Pelorin.html"));
    EXPECT_EQ(bare.fragment().toStdString(), "context-4");
}

TEST(MountWatch, ReportsRemovalAndArrivalAfterTheBaseline)
{
    TTempFolder folder;
    const std::string root = "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n";
    const std::string stick = "90 22 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n";
    const std::string disc = "91 22 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n";
    const std::string path = folder.WriteText("mountinfo", root + stick);
    std::vector<uint32_t> events;
    TMountWatch watch([&](uint32_t event) { events.push_back(event); }, path);
    watch.Poll();
    watch.Poll();
    EXPECT_TRUE(events.empty());
    folder.WriteText("mountinfo", root + stick + disc);
    watch.Poll();
    EXPECT_EQ(events, std::vector<uint32_t> { kDeviceArrival });
    events.clear();
    const std::string other = "92 22 8:33 / /media/other rw - vfat /dev/sdc1 rw\n";
    folder.WriteText("mountinfo", root + disc + other);
    watch.Poll();
    EXPECT_EQ(events, (std::vector<uint32_t> { kDeviceRemoveComplete, kDeviceArrival }));
}

TEST(Scroller, PageComesFromTheClientAndPositionsStopAtTheExcess)
{
    TWindow window;
    window.resize(300, 200);
    TScroller scroller(&window, 1, 1);
    scroller.SetRange(999, 0); // an image 1000 pixels wide, not taller than the window
    scroller.SetLines(10, 10);
    EXPECT_TRUE(scroller.HasHorizontalBar());
    EXPECT_FALSE(scroller.HasVerticalBar());
    // The visible horizontal bar takes its height from the client.
    EXPECT_EQ(scroller.ClientSize().width(), 300);
    EXPECT_EQ(scroller.XPage(), 300); // (300 + 1) / 1 - 1
    scroller.ScrollTo(5000, 40);
    EXPECT_EQ(scroller.XPos(), 700); // 999 - 300 + 1: the image's right edge
    EXPECT_EQ(scroller.YPos(), 0);
    scroller.HScroll(TScrollCode::LineUp);
    EXPECT_EQ(scroller.XPos(), 690);
    scroller.HScroll(TScrollCode::Top);
    EXPECT_EQ(scroller.XPos(), 0);
    scroller.HScroll(TScrollCode::PageUp);
    EXPECT_EQ(scroller.XPos(), 0);
}
