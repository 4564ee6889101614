#include "tests/browser/BrowserFixture.h"

#include "ui/Static.h"

#include <QCoreApplication>

TEST_F(BrowserTest, SetUpListsTheLastFolderUnderTheRememberedTypeAndDestructionStoresThem)
{
    WriteIni("LastPath=c:\\images\\\nFileType=1\n");
    Open();
    EXPECT_EQ(Title(), "Pelorin - c:\\images\\");
    EXPECT_EQ(browser->FullFolder(), "c:\\images\\");
    EXPECT_EQ(browser->ControlAs<TStatic>(IdFolderText)->GetText(), "c:\\images\\");
    EXPECT_EQ(FileName().GetText(), "*.bmp;*.gif;*.jpg;*.pcx;*.tga");
    EXPECT_FALSE(FileName().IsModified());
    EXPECT_EQ(TypeList().GetSelIndex(), 1);
    EXPECT_EQ(Files(),
        Sorted({ "b.BMP", "c.jpg", "d.pcx", "e.tga", "photo.gif", "photo one.gif", "Ünï.jpg",
            "new.gif", "news.gif" }));

    // Drives: the number in the low half of the data, 400 + the type in the high half; a
    // drive without a medium shows as removable.
    std::vector<std::pair<std::string, uint32_t>> drives;
    for (int i = 0; i < DriveList().GetCount(); ++i)
        drives.emplace_back(DriveList().GetString(i), DriveList().GetItemData(i));
    EXPECT_EQ(drives,
        (std::vector<std::pair<std::string, uint32_t>> { { "drive c:", 2 | 403u << 16 },
            { "drive d:", 3 | 402u << 16 }, { "drive e:", 4 | 402u << 16 },
            { "drive f:", 5 | 406u << 16 } }));
    EXPECT_EQ(DriveList().GetSelIndex(), 0);
    EXPECT_EQ(DriveList().LastGoodIndex(), 0);

    TypeList().SetSelIndex(3);
    browser->EvNotify(IdTypeCombo, TNotify::CloseUp);
    EXPECT_EQ(Files(), Sorted({ "photo.gif", "photo one.gif", "new.gif", "news.gif" }));
    EXPECT_EQ(FileName().GetText(), "*.gif");
    Settings().ShowHidden = true;
    browser->RefillFiles();
    EXPECT_EQ(
        Files(), Sorted({ ".secret.gif", "photo.gif", "photo one.gif", "new.gif", "news.gif" }));
    frame.reset();
    EXPECT_EQ(IniValue("FileType"), "3");
    EXPECT_EQ(IniValue("LastPath"), "c:\\images\\");
}

TEST_F(BrowserTest, AStartFolderThatCannotBeUsedGivesWayToTheDriveOrTheWorkingFolder)
{
    // The test runs outside every drive, so the working folder is c:'s root.
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "LastPath=c:\\gone\\\n", "c:\\" },
        { "LastPath=d:\\gone\\\n", "d:\\" },
        { "LastPath=e:\\x\\\n", "c:\\" },
        { "LastPath=nonsense\n", "c:\\" },
        { "LastPath=c:\\photos\\deep\\\nSavePath=0\n", "c:\\" },
        { "LastPath=c:\\photos\\deep\\\n", "c:\\photos\\deep\\" },
    };
    for (const auto& [ini, folder] : cases) {
        WriteIni(ini);
        Settings() = TViewSettings();
        TViewFileDlg::BrowserCreatedBefore() = false;
        FileSystem().Reset();
        Open();
        EXPECT_EQ(browser->FullFolder(), folder) << ini;
        EXPECT_TRUE(Boxes().empty()) << ini;
        frame.reset();
    }
}

TEST_F(BrowserTest, FolderListShowsTheTreeDownToTheCurrentFolderAndItsSubfoldersInOrder)
{
    Open();
    struct TCase {
        const char* folder;
        bool showHidden;
        std::vector<std::string> items;
        std::vector<std::string> paths;
    };
    const std::vector<TCase> cases = {
        { "c:\\", false, { "c:\\ 0 12", "images 1 10", "photos 1 10" },
            { "c:\\", "c:\\images", "c:\\photos" } },
        { "c:\\photos\\deep\\", false, { "c:\\ 0 11", "photos 1 11", "deep 2 12", "deeper 3 10" },
            { "c:\\", "c:\\photos", "c:\\photos\\deep", "c:\\photos\\deep\\deeper" } },
        { "c:\\images\\", false, Sorted({ "2019 2 10", "Beta 2 10", "alpha 2 10" }), {} },
        { "c:\\images\\", true, Sorted({ ".hidden 2 10", "2019 2 10", "Beta 2 10", "alpha 2 10" }),
            {} },
    };
    for (const TCase& c : cases) {
        Settings().ShowHidden = c.showHidden;
        browser->ChangeFolder(c.folder);
        std::vector<std::string> items = Folders();
        if (c.paths.empty()) // only the subfolders, whose order the locale decides
            items.erase(items.begin(), items.begin() + 2);
        EXPECT_EQ(items, c.items) << c.folder;
        EXPECT_EQ(FolderList().GetSelIndex(), FolderList().CurrentItem()) << c.folder;
        for (size_t i = 0; i < c.paths.size(); ++i)
            EXPECT_EQ(FolderList().ItemPath(int(i)), c.paths[i]) << c.folder;
    }
}

TEST_F(BrowserTest, DoubleClickAndEnterMoveToTheFolderUnderTheCaretOnceNothingRuns)
{
    WriteIni("LastPath=c:\\images\\\n");
    Open();
    FolderList().setFocus();
    auto caretOn = [&](const std::string& text) {
        for (int i = 0; i < FolderList().GetCount(); ++i) {
            if (FolderList().GetString(i) == text)
                FolderList().SetCaretIndex(i);
        }
    };
    // A running preview is asked to stop; the change comes back through the queue.
    caretOn("2019");
    ProcessFlags().previewBusy = true;
    browser->EvNotify(IdFolderList, TNotify::DblClk);
    EXPECT_TRUE(ProcessFlags().previewAbort);
    EXPECT_EQ(browser->FullFolder(), "c:\\images\\");
    ProcessFlags().previewBusy = false;
    QCoreApplication::processEvents();
    EXPECT_EQ(browser->FullFolder(), "c:\\images\\2019\\");
    EXPECT_EQ(Title(), "Pelorin - c:\\images\\2019\\");

    caretOn("c:\\");
    browser->SendCommand(CmEnter);
    EXPECT_EQ(browser->FullFolder(), "c:\\");
    // Enter on the current folder is Show, which changes nothing here.
    browser->SendCommand(CmEnter);
    EXPECT_EQ(browser->FullFolder(), "c:\\");

    // A folder deleted while it is shown cannot be entered: the drive's root is used.
    caretOn("photos");
    fs::remove_all(c.Path() / "photos");
    browser->EvNotify(IdFolderList, TNotify::DblClk);
    EXPECT_EQ(browser->FullFolder(), "c:\\");
    EXPECT_EQ(Folders(), (std::vector<std::string> { "c:\\ 0 12", "images 1 10" }));
}

TEST_F(BrowserTest, TypedFoldersAndPatternsMoveTheListsAndBadTextGetsItsMessage)
{
    WriteIni("LastPath=c:\\images\\\n");
    Open();
    Type("..");
    EXPECT_EQ(browser->FullFolder(), "c:\\");
    EXPECT_EQ(FileName().GetText(), "*.*");
    EXPECT_EQ(TypeList().GetSelIndex(), 0);
    Type("..");
    Type("\\images");
    EXPECT_EQ(browser->FullFolder(), "c:\\images\\");
    Type("*.gif;.bmp");
    EXPECT_EQ(Files(), Sorted({ "b.BMP", "photo.gif", "photo one.gif", "new.gif", "news.gif" }));
    EXPECT_EQ(FileName().GetText(), "*.gif;.bmp");
    EXPECT_TRUE(browser->UsesPatternList());
    Type("a.b.c;x");
    Type("abc.;x");
    EXPECT_FALSE(browser->UsesPatternList());
    Type("\\images\\new");
    EXPECT_EQ(Files(), (std::vector<std::string> { "new.gif" }));
    EXPECT_EQ(FileName().GetText(), "new.*");
    Type("\\nowhere\\x.gif");
    Type("d:");
    EXPECT_EQ(browser->FullFolder(), "d:\\");
    EXPECT_EQ(DriveList().GetString(DriveList().GetSelIndex()), "drive d:");
    EXPECT_EQ(DriveList().LastGoodIndex(), DriveList().GetSelIndex());
    Type(std::string(5000, 'x'));
    EXPECT_EQ(Boxes(),
        (TBoxes {
            { "..\nThis filename is not valid.", "Pelorin - invalid filename" },
            { "a.b.c;x\nThis filename is not valid.", "Pelorin - invalid filename" },
            { "abc.;x\nThis filename is not valid.", "Pelorin - invalid filename" },
            { "\\nowhere\\x.gif\nThis directory is not valid.", "Pelorin - invalid directory" },
        }));
    EXPECT_EQ(FileName().GetText(), std::string(5000, 'x') + ".*");
}

TEST_F(BrowserTest, ATypedFileIsListedUnderItsTypeAndShownOrReported)
{
    WriteIni("LastPath=c:\\images\\\n");
    Open();
    auto caretText = [&] { return FileList().GetString(FileList().GetCaretIndex()); };
    // The typed file is shown: these pictures are no pictures, and Cancel closes the window.
    auto shown = [&](const std::string& name) {
        return std::pair(c.File("images/" + name) + " is an empty or invalid file\nLoad next file?",
            std::string("Pelorin - image error"));
    };
    for (int i = 0; i < 3; ++i)
        modal.QueueAnswer(kIdCancel);
    Type("photo.gif");
    EXPECT_EQ(TypeList().GetSelIndex(), 3);
    EXPECT_EQ(FileName().GetText(), "*.gif");
    EXPECT_EQ(Files(), Sorted({ "photo.gif", "photo one.gif", "new.gif", "news.gif" }));
    EXPECT_EQ(caretText(), "photo.gif");
    Type("c:Ünï.jpg");
    EXPECT_EQ(caretText(), "Ünï.jpg");
    Type("PHOTO.GIF"); // found by the search, which ignores case
    EXPECT_EQ(caretText(), "photo.gif");
    EXPECT_EQ(TypeList().GetSelIndex(), 3);
    Type("missing.gif");
    EXPECT_EQ(FileName().selectedText(), FileName().text());
    EXPECT_EQ(Boxes(),
        (TBoxes { shown("photo.gif"), shown("Ünï.jpg"), shown("photo.gif"),
            { "missing.gif\nThis filename does not exist.", "Pelorin - file does not exist" } }));
}

TEST_F(BrowserTest, ADriveThatIsNotReadyOffersRetryAndCancelKeepsThePreviousDrive)
{
    WriteIni("LastPath=c:\\images\\\n");
    Open();
    const std::pair<std::string, std::string> notReady
        = { "E:\\ is not accessible\n\nThe device is not ready.", "Pelorin - drive error" };
    modal.QueueAnswer(kIdRetry);
    modal.QueueAnswer(kIdCancel);
    DriveList().SetSelIndex(DriveList().IndexOfLetter('e'));
    browser->EvNotify(IdDriveCombo, TNotify::CloseUp);
    EXPECT_EQ(Boxes(), (TBoxes { notReady, notReady }));
    EXPECT_EQ(DriveList().GetSelIndex(), 0);
    EXPECT_EQ(browser->FullFolder(), "c:\\images\\");
    EXPECT_EQ(FileSystem().CurrentDrive(), 'c');

    modal.QueueAnswer(kIdRetry);
    modal.QueueAnswer(kIdCancel);
    Type("e:photo.gif");
    EXPECT_EQ(Boxes(), (TBoxes { notReady, notReady, notReady, notReady }));
    EXPECT_EQ(browser->FullFolder(), "c:\\images\\");
    EXPECT_TRUE(modal.MessageBoxes().back().icon == TMsgIcon::Stop);
}

TEST_F(BrowserTest, DeviceChangesFollowTheDriveTableAndTheLastDriveGoneEndsTheProgram)
{
    const std::string drives = "c=" + c.Path().string() + ";d=" + d.Path().string();
    SetDrives(drives);
    Open();
    Type("d:");
    auto letters = [&] {
        std::string text;
        for (int i = 0; i < DriveList().GetCount(); ++i)
            text += DriveList().GetString(i).substr(6, 1);
        return text;
    };
    // Arrival: the list grows, the drive stays.
    setenv(kDrivesVariable, (drives + ";g=" + c.Path().string() + "/photos").c_str(), 1);
    browser->EvDeviceChange(kDeviceArrival, kDeviceTypeVolume);
    EXPECT_EQ(letters(), "cdg");
    EXPECT_EQ(browser->FullFolder(), "d:\\");
    // The current drive goes: the lowest drive from c: on takes its place.
    setenv(kDrivesVariable, ("c=" + c.Path().string() + ";g=" + c.Path().string()).c_str(), 1);
    browser->EvDeviceChange(kDeviceRemoveComplete, kDeviceTypeVolume);
    EXPECT_EQ(letters(), "cg");
    EXPECT_EQ(browser->FullFolder(), "c:\\");
    EXPECT_EQ(DriveList().GetSelIndex(), 0);
    // Only floppy drives left: a: it is.
    setenv(kDrivesVariable, ("a=" + d.Path().string()).c_str(), 1);
    browser->EvDeviceChange(kDeviceRemoveComplete, kDeviceTypeVolume);
    EXPECT_EQ(browser->FullFolder(), "a:\\");
    // Nothing else is a volume change.
    setenv(kDrivesVariable, "", 1);
    browser->EvDeviceChange(kDeviceRemoveComplete, 3);
    browser->EvDeviceChange(32771, kDeviceTypeVolume);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(letters(), "a");
    // No drive left: the program says so and closes.
    browser->EvDeviceChange(kDeviceRemoveComplete, kDeviceTypeVolume);
    QCoreApplication::processEvents();
    EXPECT_EQ(Boxes(),
        (TBoxes { { "Unable to locate any drives\nPelorin will now close ...",
            "Pelorin - drive error" } }));
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(BrowserTest, OwnerDrawnItemsShowTheirBitmapWithPureBlueTransparent)
{
    WriteIni("LastPath=c:\\images\\\n");
    Open();
    TDirListBox& list = FolderList();
    EXPECT_EQ(list.ItemHeight(), std::max(list.fontMetrics().height(), 16));
    const QImage shot = list.viewport()->grab().toImage();
    const QRect current = list.visualItemRect(list.item(list.CurrentItem()));
    const QRect root = list.visualItemRect(list.item(0));
    const QColor highlight = list.palette().color(QPalette::Highlight);
    const QColor base = list.palette().color(QPalette::Base);
    const int indent = 8 + 4 * list.CurrentItem();
    // The selected current folder: highlight behind the bitmap's transparent corner, the
    // bitmap's black outline where it has one.
    EXPECT_EQ(shot.pixelColor(current.left() + indent, current.top()), highlight);
    EXPECT_EQ(shot.pixelColor(current.left() + indent, current.top() + 6), Qt::black);
    EXPECT_EQ(shot.pixelColor(root.left() + 8, root.top()), base);
    EXPECT_EQ(shot.pixelColor(root.left() + 8 + 4, root.top() + 10), QColor(255, 255, 0));
}
