#include "tests/browser/BrowserFixture.h"

#include "browser/CancelDialog.h"
#include "browser/ViewGetDirDlg.h"
#include "platform/Format.h"
#include "resources/FileDialogIds.h"
#include "ui/Static.h"

#include <QApplication>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// A browser in \work of drive c:, holding the pictures a.gif to g.gif (each holding its own
// name) and the folder \work\sub; the trash is the fixture's fresh one.
class FilesTest : public BrowserTest {
protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        fs::create_directories(c.Path() / "work" / "sub");
        for (const char* name : { "a.gif", "b.gif", "c.gif", "d.gif", "e.gif", "f.gif", "g.gif" })
            c.WriteText(std::string("work/") + name, name);
        WriteIni("LastPath=c:\\work\\\nFileType=0\n");
    }
    fs::path Work(const std::string& name = {}) const { return c.Path() / "work" / name; }
    void ReadOnly(const std::string& name)
    {
        fs::permissions(Work(name), fs::perms::owner_write, fs::perm_options::remove);
    }
    static bool IsReadOnly(const fs::path& file)
    {
        return (fs::status(file).permissions() & fs::perms::owner_write) == fs::perms::none;
    }
    fs::path Trash(const std::string& name = {}) const
    {
        return home.Path() / "data" / "Trash" / "files" / name;
    }
    // Selects the items at these indices only and puts the caret on one.
    void Select(const std::vector<int>& indices, int caret)
    {
        FileList().SetSel(-1, false);
        for (int index : indices)
            FileList().SetSel(index, true);
        FileList().SetCaretIndex(caret);
    }
    std::vector<std::string> Selected() const
    {
        std::vector<std::string> names;
        for (int index : FileList().GetSelIndices())
            names.push_back(FileList().GetString(index));
        return names;
    }
    std::string CaretItem() const { return FileList().GetString(FileList().GetCaretIndex()); }
    int IndexOf(const std::string& name) const
    {
        const std::vector<std::string> names = Files();
        return int(std::ranges::find(names, name) - names.begin());
    }
    // With ShiftForSelected off the plain commands take the selected files, the shifted ones
    // the file under the cursor.
    void Delete(bool selectedMode)
    {
        browser->SendCommand(selectedMode ? CmDelete : CmDeleteSelected);
        Settle();
    }
    void Copy(bool selectedMode)
    {
        browser->SendCommand(selectedMode ? CmCopy : CmCopySelected);
        Settle();
    }
    // Answers the next question with Yes to All by this button, noting its caption and text.
    void Answer(int button, std::function<void()> meanwhile = {})
    {
        modal.QueueDialog([this, button, meanwhile](TDialog& dialog) {
            questions.push_back(
                dialog.Caption() + ": " + dialog.ControlAs<TStatic>(IdQuestionText)->GetText());
            if (meanwhile)
                meanwhile();
            dialog.SendCommand(button);
            return dialog.Result();
        });
    }
    // Presses Cancel in the progress window, noting its caption and text.
    void PressCancel()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* progress = dynamic_cast<TCancelDialog*>(widget);
                progress && progress->isVisible()) {
                questions.push_back(progress->Caption() + ": " + progress->Text());
                progress->SendCommand(kIdCancel);
            }
        }
    }
    // Accepts the destination dialog in the folder shown after the steps.
    void Destination(std::function<void(TViewGetDirDlg&)> steps = {})
    {
        modal.QueueDialog([this, steps](TDialog& dialog) {
            auto& destination = dynamic_cast<TViewGetDirDlg&>(dialog);
            offered.push_back(destination.Folder());
            if (steps)
                steps(destination);
            if (destination.Result() == 0)
                destination.SendCommand(kIdOk);
            return destination.Result();
        });
    }
    // Double-clicks the destination dialog's folder item with this text.
    static void DoubleClick(TViewGetDirDlg& dialog, const std::string& folder)
    {
        auto& list = *dialog.ControlAs<TDirListBox>(IdDestFolderList);
        for (int i = 0; i < list.GetCount(); ++i) {
            if (list.GetString(i) == folder)
                list.SetCaretIndex(i);
        }
        dialog.EvNotify(IdDestFolderList, TNotify::DblClk);
    }

    std::vector<std::string> questions;
    std::vector<std::string> offered;
};

} // namespace

// The file under the cursor goes to the desktop's trash, from where it can be restored as it
// was: after a confirmation only with ConfirmOn, while a read-only file is always asked about.
TEST_F(FilesTest, DeletingAsksAsConfirmOnSaysAndAlwaysAboutAReadOnlyFile)
{
    const std::string name = "ünï photo.gif";
    struct TCase {
        bool confirmOn;
        bool readOnly;
        std::vector<int> answers;
        TBoxes boxes;
        bool deleted;
    };
    const TBoxes confirm = { { "Delete file  '" + name + "'?", "Pelorin - confirmation" } };
    const TBoxes readOnly = { { "File  '" + name + "'  is marked read-only, delete anyway?",
        "Pelorin - confirmation" } };
    const TCase cases[] = {
        { true, false, { kIdYes }, confirm, true },
        { true, false, { kIdNo }, confirm, false },
        { false, false, {}, {}, true },
        { false, true, { kIdYes }, readOnly, true },
        { false, true, { kIdNo }, readOnly, false },
    };
    Open();
    for (const TCase& test : cases) {
        SCOPED_TRACE(std::to_string(test.confirmOn) + std::to_string(test.readOnly));
        fs::remove_all(home.Path() / "data");
        c.WriteText("work/" + name, "picture");
        if (test.readOnly)
            ReadOnly(name);
        browser->RefillFiles();
        Settings().ConfirmOn = test.confirmOn;
        const TBoxes before = Boxes();
        for (int answer : test.answers)
            modal.QueueAnswer(answer);
        Select({}, IndexOf(name));
        Delete(true); // nothing selected: the file under the cursor
        const TBoxes after = Boxes();
        EXPECT_EQ(TBoxes(after.begin() + long(before.size()), after.end()), test.boxes);
        EXPECT_EQ(fs::exists(Work(name)), !test.deleted);
        EXPECT_EQ(std::ranges::count(Files(), name), test.deleted ? 0 : 1);
        if (test.deleted) {
            EXPECT_EQ(ReadText(Trash(name)), "picture");
            // The old path as the desktop reads it, percent-encoded.
            const std::string info
                = ReadText((home.Path() / "data/Trash/info" / (name + ".trashinfo")).string());
            EXPECT_NE(info.find("/work/%C3%BCn%C3%AF%20photo.gif\n"), std::string::npos) << info;
            EXPECT_EQ(IsReadOnly(Trash(name)), test.readOnly);
            EXPECT_EQ(CaretItem(), "g.gif"); // the new last item
        } else {
            EXPECT_EQ(IsReadOnly(Work(name)), test.readOnly);
        }
        fs::permissions(Work(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove(Work(name));
    }
}

// Each selected file is deleted once; a read-only file answered No keeps its selected item,
// Yes to All answers the rest of the run, and the next delete asks again.
TEST_F(FilesTest, SelectedFilesAreDeletedOnceAndReadOnlyOnesAskedPerRun)
{
    for (const char* name : { "c.gif", "e.gif", "f.gif" })
        ReadOnly(name);
    Open();
    Select({ 1, 2, 3, 4, 5 }, 0);
    Answer(kIdCancel);
    Answer(IdYesToAll);
    Delete(true);
    EXPECT_EQ(Boxes(), (TBoxes { { "Delete 5 selected files?", "Pelorin - confirmation" } }));
    EXPECT_EQ(Files(), (std::vector<std::string> { "a.gif", "c.gif", "g.gif" }));
    EXPECT_EQ(Selected(), std::vector<std::string> { "c.gif" });
    EXPECT_EQ(
        FolderEntries(Trash()), (std::vector<std::string> { "b.gif", "d.gif", "e.gif", "f.gif" }));
    Answer(kIdOk);
    Delete(true);
    EXPECT_EQ(Files(), (std::vector<std::string> { "a.gif", "g.gif" }));
    const std::string question = "Delete read-only confirmation: File  '%s'  is marked read-only, "
                                 "delete anyway?";
    EXPECT_EQ(questions,
        (std::vector<std::string> { Format(question.c_str(), "c.gif"),
            Format(question.c_str(), "e.gif"), Format(question.c_str(), "c.gif") }));
}

// After the selected files are deleted the caret is on its old item when that is still
// listed, else on an unselected item near it; deleting the file under the cursor leaves the
// caret at its index, or on the new last item.
TEST_F(FilesTest, TheCaretStaysNearWhereItWas)
{
    struct TCase {
        bool selectedMode;
        std::vector<int> selected;
        int caret;
        const char* kept; // read-only, answered No
        const char* caretAfter;
    };
    const TCase cases[] = {
        { true, { 1, 2 }, 4, nullptr, "e.gif" },
        { true, { 1, 2 }, 1, nullptr, "d.gif" },
        { true, { 4, 5, 6 }, 5, nullptr, "d.gif" },
        { true, { 1, 2 }, 1, "b.gif", "b.gif" },
        { true, { 0, 1, 2, 3, 4, 5, 6 }, 3, "g.gif", "g.gif" },
        { false, {}, 2, nullptr, "d.gif" },
        { false, {}, 6, nullptr, "f.gif" },
    };
    Settings().ConfirmOn = false;
    Open();
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.caretAfter);
        for (const char* name : { "a.gif", "b.gif", "c.gif", "d.gif", "e.gif", "f.gif", "g.gif" })
            c.WriteText(std::string("work/") + name, name);
        if (test.kept) {
            ReadOnly(test.kept);
            Answer(kIdCancel);
        }
        browser->RefillFiles();
        Select(test.selected, test.caret);
        Delete(test.selectedMode);
        EXPECT_EQ(CaretItem(), test.caretAfter);
        if (test.kept)
            fs::permissions(Work(test.kept), fs::perms::owner_write, fs::perm_options::add);
    }
}

// A file deleted by another program after it was listed loses its item without a message; a
// folder that took a file's name meanwhile is left alone.
TEST_F(FilesTest, FilesGoneSinceListingLoseTheirItemsQuietly)
{
    Settings().ConfirmOn = false;
    Open();
    fs::remove(Work("b.gif"));
    fs::remove(Work("c.gif"));
    fs::create_directory(Work("c.gif"));
    Select({ 1, 2, 3 }, 1);
    Delete(true);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Files(), (std::vector<std::string> { "a.gif", "e.gif", "f.gif", "g.gif" }));
    EXPECT_TRUE(fs::is_directory(Work("c.gif")));
    EXPECT_EQ(FolderEntries(Trash()), std::vector<std::string> { "d.gif" });
}

// Cancel in the progress window takes effect before the next file: the file at hand is
// finished, the rest stay with their items.
TEST_F(FilesTest, CancelStopsADeleteBeforeTheNextFile)
{
    Settings().ConfirmOn = false;
    ReadOnly("b.gif");
    Open();
    Select({ 0, 1, 2, 3, 4 }, 0);
    Answer(kIdOk, [this] { PressCancel(); });
    Delete(true);
    EXPECT_EQ(Files(), (std::vector<std::string> { "c.gif", "d.gif", "e.gif", "f.gif", "g.gif" }));
    EXPECT_EQ(Selected(), (std::vector<std::string> { "c.gif", "d.gif", "e.gif" }));
    EXPECT_EQ(FolderEntries(Trash()), (std::vector<std::string> { "a.gif", "b.gif" }));
    EXPECT_EQ(questions[1], "Deleting file(s) ...: deleting file  'b.gif'  ...");
}

// Without a trash the file is removed directly; a file the system will not let go is
// reported and stays, read-only as it was.
TEST_F(FilesTest, WithoutATrashFilesAreRemovedAndRefusalsReported)
{
    Settings().ConfirmOn = false;
    home.WriteText("data", ""); // a file where the data folder should be: no trash
    Open();
    Select({}, 0);
    Delete(false);
    EXPECT_FALSE(fs::exists(Work("a.gif")));
    EXPECT_EQ(Files().front(), "b.gif");
    EXPECT_FALSE(fs::exists(fs::current_path() / "files"));

    // The super-user is refused only an immutable file; others a file in a folder they may
    // not write.
    ReadOnly("b.gif");
    const int fd = ::open(Work("b.gif").c_str(), O_RDONLY);
    const bool root = ::geteuid() == 0;
    int flags = 0;
    if (root && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags |= FS_IMMUTABLE_FL;
        if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0)
            flags = 0;
    }
    if (root && (flags & FS_IMMUTABLE_FL) == 0) {
        ::close(fd);
        GTEST_SKIP() << "this file system cannot keep a file from the super-user";
    }
    if (!root)
        fs::permissions(Work(), fs::perms::owner_write, fs::perm_options::remove);
    Delete(false);
    if (root) {
        flags &= ~FS_IMMUTABLE_FL;
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    ::close(fd);
    fs::permissions(Work(), fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(Boxes(),
        (TBoxes {
            { "File  'b.gif'  is marked read-only, delete anyway?", "Pelorin - confirmation" },
            { "Permission denied for file  'b.gif'", "Pelorin - file not deleted" } }));
    EXPECT_EQ(Files().front(), "b.gif");
    EXPECT_TRUE(IsReadOnly(Work("b.gif")));
}

// The destination dialog offers the browsed folder at first, later the folder of the last
// confirmed copy; a double click or Enter on the folder shown accepts it, on another folder
// goes there. Choosing a drive shows that drive's folder; neither the browser's folder nor
// the current drive change.
TEST_F(FilesTest, TheDestinationIsTheBrowsedFolderUntilACopyIsConfirmed)
{
    Open();
    Select({}, 0);
    std::vector<std::string> labels;
    Destination([&](TViewGetDirDlg& dialog) {
        DoubleClick(dialog, "sub");
        labels.push_back(dialog.ControlAs<TStatic>(IdDestFolderText)->GetText());
        DoubleClick(dialog, "sub");
    });
    modal.QueueAnswer(kIdNo);
    Copy(false);
    EXPECT_EQ(Boxes(),
        (TBoxes {
            { "Copy file  'a.gif'  to\nc:\\work\\sub\\ ?", "Pelorin - copy confirmation" } }));
    EXPECT_FALSE(fs::exists(Work("sub/a.gif")));

    Destination([&](TViewGetDirDlg& dialog) {
        dialog.ControlAs<TDirListBox>(IdDestFolderList)->setFocus();
        DoubleClick(dialog, "sub"); // into sub
        dialog.SendCommand(kIdOk); // Enter on the folder shown
    });
    Copy(false);
    EXPECT_EQ(ReadText(Work("sub/a.gif").string()), "a.gif");

    Destination([&](TViewGetDirDlg& dialog) {
        auto& drives = *dialog.ControlAs<TDrvComboBox>(IdDestDriveCombo);
        drives.SetSelIndex(drives.IndexOfLetter('d'));
        dialog.EvNotify(IdDestDriveCombo, TNotify::CloseUp);
        labels.push_back(dialog.Folder());
        dialog.SendCommand(kIdCancel);
    });
    Copy(false);
    EXPECT_EQ(
        offered, (std::vector<std::string> { "c:\\work\\", "c:\\work\\", "c:\\work\\sub\\" }));
    EXPECT_EQ(labels, (std::vector<std::string> { "c:\\work\\sub\\", "d:\\" }));
    EXPECT_EQ(browser->FullFolder(), "c:\\work\\");
    EXPECT_EQ(FileSystem().CurrentFolder(), "c:\\work");
    EXPECT_EQ(Files().size(), 7u);
}

// Overwriting is asked about whatever ConfirmOn says, with Yes to All for the selected files;
// a read-only target is never replaced; a file that cannot be copied (into its own folder)
// is reported and left whole; Cancel stops before the next file and keeps the copies made.
TEST_F(FilesTest, OverwritesAreAskedAndReadOnlyTargetsAndTheSourcesKept)
{
    Settings().ConfirmOn = false;
    c.WriteText("work/sub/a.gif", "old");
    c.WriteText("work/sub/b.gif", "old");
    c.WriteText("work/sub/c.gif", "old");
    fs::permissions(Work("sub/b.gif"), fs::perms::owner_write, fs::perm_options::remove);
    Open();
    Select({ 0, 1, 2, 3 }, 0);
    Destination([](TViewGetDirDlg& dialog) { DoubleClick(dialog, "sub"); });
    Answer(IdYesToAll);
    Copy(true);
    for (const char* name : { "a.gif", "c.gif", "d.gif" })
        EXPECT_EQ(ReadText(Work(std::string("sub/") + name).string()), name);
    EXPECT_EQ(ReadText(Work("sub/b.gif").string()), "old");
    EXPECT_EQ(questions,
        std::vector<std::string> {
            "Pelorin - overwrite confirmation: File  'a.gif'  exists, overwrite?" });

    // The file under the cursor is asked about in a message box; into the browsed folder
    // itself the copy fails.
    Select({}, 0);
    Destination([](TViewGetDirDlg& dialog) { DoubleClick(dialog, "work"); });
    modal.QueueAnswer(kIdYes);
    Copy(false);
    EXPECT_EQ(ReadText(Work("a.gif").string()), "a.gif");
    EXPECT_EQ(Boxes(),
        (TBoxes { { "File  'b.gif'  exists and is marked read-only", "Pelorin - file not copied" },
            { "File  'a.gif'  exists, overwrite?", "Pelorin - overwrite confirmation" },
            { "File  'a.gif'  could not be copied to\nfolder  'c:\\work\\'",
                "Pelorin - file not copied" } }));

    Select({ 4, 5, 6 }, 0);
    Destination([](TViewGetDirDlg& dialog) { DoubleClick(dialog, "sub"); });
    c.WriteText("work/sub/e.gif", "old");
    Answer(kIdOk, [this] { PressCancel(); });
    Copy(true);
    EXPECT_EQ(ReadText(Work("sub/e.gif").string()), "e.gif");
    EXPECT_FALSE(fs::exists(Work("sub/f.gif")));
    EXPECT_EQ(FolderEntries(Work()).size(), 8u);
    EXPECT_EQ(FolderEntries(Work("sub")).size(), 5u);
    EXPECT_EQ(Files().size(), 7u);
}
