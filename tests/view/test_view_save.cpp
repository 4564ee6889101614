#include "tests/view/ViewFixture.h"

#include "image/ByteReader.h"
#include "image/DisplayDib.h"
#include "platform/Format.h"
#include "ui/Button.h"
#include "view/SaveDialogs.h"

#include <QApplication>
#include <QCursor>
#include <QTimer>

#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// What a pass of the event loop found of the save's windows.
struct TSighting {
    int templateId = 0;
    std::string caption;
    std::string text;
    bool holdsInput = false; // no other window takes input meanwhile
    bool waitCursor = false;
};

// Looks at every pass of the event loop (through a timer of no delay) for the save's window
// that is up, notes it, and answers it: the confirmation with OK at once, the progress window
// with Cancel when cancelAt says so.
class TSaveProbe {
public:
    TSaveProbe()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Look(); });
        m_timer.start(0);
    }

    std::function<bool(const TSighting&)> cancelAt = [](const TSighting&) { return false; };
    std::vector<TSighting> seen; // each window and text once

private:
    void Look()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = dynamic_cast<TStatusDialog*>(widget);
            if (!dialog || !dialog->isVisible())
                continue;
            TSighting sighting { dialog->TemplateId(), dialog->Caption(), dialog->Text(),
                QApplication::activeModalWidget() == dialog,
                QGuiApplication::overrideCursor()
                    && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor };
            if (seen.empty() || seen.back().templateId != sighting.templateId
                || seen.back().text != sighting.text)
                seen.push_back(sighting);
            const bool progress = sighting.templateId == 164;
            if (!progress || cancelAt(sighting))
                dialog->ControlAs<TButton>(progress ? kIdCancel : kIdOk)->click();
        }
    }

    QTimer m_timer;
};

} // namespace

class ViewSaveTest : public ViewTest {
protected:
    // Shows the picture and saves it under the name typed (a probe answers the windows).
    void ShowAndSave(const std::string& picture, const std::string& typed)
    {
        Show({ picture });
        modal.QueueSaveName(typed);
        view->SendCommand(CmSaveAsBmp);
    }

    // An 8-bit picture with a grey ramp and a pattern of indexes.
    std::string WriteIndexed(const std::string& name, int width, int height)
    {
        TDib dib;
        const size_t stride = (size_t(width) + 3) / 4 * 4;
        EXPECT_TRUE(
            dib.AllocateBitmap(width, height, 8, 256, false, stride, stride * size_t(height)));
        for (int i = 0; i < 256; ++i)
            dib.SetColor(size_t(i), uint8_t(i), uint8_t(255 - i), uint8_t(i / 2));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                dib.Row(y)[size_t(x)] = uint8_t(x * 7 + y);
        return WriteBmp(name, dib);
    }
};

TEST_F(ViewSaveTest, WritesTheShownBlockBehindTheHeaderInTenSteps)
{
    struct TCase {
        std::string picture;
        bool fit;
        uint32_t fileSize;
        uint32_t bitsOffset;
    };
    const std::vector<TCase> cases = {
        { WriteIndexed("indexed.bmp", 101, 100), false, 14 + 40 + 1024 + 104 * 100, 1078 },
        { WritePicture("true.bmp", 30, 20), false, 14 + 40 + 92 * 20, 54 },
        // Fit shows it shrunk; the file has the full size.
        { WritePicture("large.bmp", 1500, 1100), true, 14 + 40 + 4500 * 1100, 54 },
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.picture);
        Settings().Fit = test.fit;
        TSaveProbe probe;
        const std::string saved = folder.File("saved " + test.picture);
        ShowAndSave(test.picture, saved);
        ASSERT_TRUE(view->HasImage());
        EXPECT_EQ(view->ScaledBitmap().isNull(), !test.fit);

        const std::vector<uint8_t> bytes = ReadBytes(saved);
        ASSERT_EQ(bytes.size(), test.fileSize);
        EXPECT_EQ(GetU32(bytes, 2), test.fileSize);
        EXPECT_EQ(GetU32(bytes, 10), test.bitsOffset);
        const auto block = view->Image()->Block();
        EXPECT_TRUE(std::ranges::equal(std::span(bytes).subspan(14), block));
        TDisplayDib again;
        ASSERT_TRUE(again.Load(saved));
        EXPECT_TRUE(std::ranges::equal(again.Block(), block));

        // The progress window before each slice, over every other window; then the
        // confirmation, with the name as it was chosen.
        ASSERT_EQ(probe.seen.size(), 11u);
        for (int i = 0; i < 10; ++i) {
            const TSighting& step = probe.seen[size_t(i)];
            EXPECT_EQ(step.caption, "Pelorin - saving image as ...");
            EXPECT_EQ(step.text, Format("%s - %2d%%", saved.c_str(), i * 10));
            EXPECT_TRUE(step.holdsInput && step.waitCursor);
        }
        EXPECT_EQ(probe.seen.back().templateId, 166);
        EXPECT_EQ(probe.seen.back().caption, "Pelorin - image saved as ...");
        EXPECT_EQ(probe.seen.back().text, saved);
        EXPECT_TRUE(probe.seen.back().holdsInput);
        EXPECT_FALSE(probe.seen.back().waitCursor);
    }
    EXPECT_TRUE(modal.MessageBoxes().empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ViewSaveTest, TheDialogProposesTheBaseNameAndTheTypedNameKeepsItsCase)
{
    // Nothing is shown: nothing to save.
    Open()->SendCommand(CmSaveAsBmp);
    EXPECT_TRUE(modal.SaveRequests().empty());

    fs::create_directory(folder.File("sub"));
    TSaveProbe probe;
    ShowAndSave(WritePicture("Holiday.Photo.pcx", 8, 8), folder.File("sub/Photo"));
    ASSERT_EQ(modal.SaveRequests().size(), 1u);
    const TSaveFileRequest& first = modal.SaveRequests()[0];
    EXPECT_EQ(first.title, "Pelorin - save image as");
    EXPECT_EQ(first.folder, folder.Path().string() + "/");
    EXPECT_EQ(first.fileName, "Holiday.Photo.bmp");
    EXPECT_EQ(first.filter, "Bitmap Files (*.BMP)");
    EXPECT_EQ(first.defaultSuffix, "bmp");
    EXPECT_TRUE(first.confirmOverwrite && first.folderMustExist);
    EXPECT_EQ(FolderEntries(folder.File("sub")), std::vector<std::string> { "Photo.bmp" });

    // The next save starts where the last one went; a cancelled dialog writes nothing.
    view->SendCommand(CmSaveAsBmp);
    ASSERT_EQ(modal.SaveRequests().size(), 2u);
    EXPECT_EQ(modal.SaveRequests()[1].folder, folder.File("sub") + "/");
    EXPECT_EQ(FolderEntries(folder.File("sub")), std::vector<std::string> { "Photo.bmp" });
    EXPECT_TRUE(modal.MessageBoxes().empty());
}

// Nothing but a complete save changes what the chosen name holds: Cancel, a place that takes
// no file, a full disk.
TEST_F(ViewSaveTest, CancelAndFailuresLeaveWhatWasThereBefore)
{
    const std::string picture = WritePicture("a.bmp", 200, 100);
    const std::string existing = folder.WriteText("existing.bmp", "precious");
    fs::create_directory(folder.File("folder.bmp"));
    fs::create_directory(folder.File("locked"));
    fs::permissions(folder.File("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    const std::string open = "Unable to open file ";
    struct TCase {
        std::string name;
        std::string message; // none: cancelled at cancelAt percent
        int cancelAt = -1;
        bool readOnly = false;
        rlim_t sizeLimit = RLIM_INFINITY; // the disk fills up after so many bytes
    };
    const std::vector<TCase> cases = {
        { folder.File("new.bmp"), "", 0 },
        { existing, "", 50 },
        { folder.File("missing/out.bmp"), open },
        { folder.File("folder.bmp"), open },
        { existing, open, -1, true },
        { folder.File("locked/out.bmp"), open },
        { existing, "Unable to write to file ", -1, false, 30000 },
    };
    for (const TCase& test : cases) {
        // The super-user writes into any folder.
        if (test.name == folder.File("locked/out.bmp")
            && ::access(folder.File("locked").c_str(), W_OK) == 0)
            continue;
        SCOPED_TRACE(test.name + " " + test.message);
        const auto before = FolderEntries(folder.Path());
        const size_t boxes = modal.MessageBoxes().size();
        fs::permissions(existing,
            fs::perms::owner_read | (test.readOnly ? fs::perms::none : fs::perms::owner_write));
        TSaveProbe probe;
        const std::string stopText = Format("%s - %2d%%", test.name.c_str(), test.cancelAt);
        probe.cancelAt = [&](const TSighting& seen) { return seen.text == stopText; };
        {
            std::optional<TFileSizeLimit> limit;
            if (test.sizeLimit != RLIM_INFINITY)
                limit.emplace(test.sizeLimit);
            ShowAndSave(picture, test.name);
        }
        fs::permissions(existing, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(ReadText(existing), "precious");
        EXPECT_EQ(FolderEntries(folder.Path()), before);
        if (test.message.empty()) {
            EXPECT_EQ(modal.MessageBoxes().size(), boxes);
            ASSERT_EQ(probe.seen.size(), size_t(test.cancelAt / 10 + 2));
            EXPECT_EQ(probe.seen.back().caption, "Pelorin - aborted saving image ...");
            EXPECT_EQ(probe.seen.back().text, test.name);
            continue;
        }
        ASSERT_EQ(modal.MessageBoxes().size(), boxes + 1);
        const auto& box = modal.MessageBoxes().back();
        EXPECT_EQ(box.text, test.message + test.name);
        EXPECT_EQ(box.caption, "Pelorin - error saving image");
        EXPECT_EQ(box.icon, TMsgIcon::Stop);
        EXPECT_TRUE(std::ranges::none_of(
            probe.seen, [](const TSighting& seen) { return seen.templateId == 166; }));
    }
    fs::permissions(folder.File("locked"), fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(folder.File("locked")));
}

// The window waits for the save: a close request stops the writing and closes afterwards.
TEST_F(ViewSaveTest, ClosingDuringTheSaveStopsItAndClosesAfterwards)
{
    TSaveProbe probe;
    probe.cancelAt = [this](const TSighting&) { return view->CloseWindow(); };
    ShowAndSave(WritePicture("a.bmp", 60, 50), folder.File("out.bmp"));
    EXPECT_FALSE(fs::exists(folder.File("out.bmp")));
    ASSERT_EQ(probe.seen.size(), 1u);
    Flush();
    EXPECT_TRUE(view.isNull());
}
