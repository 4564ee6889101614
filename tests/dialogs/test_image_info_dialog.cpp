#include "dialogs/ImageInfoDlg.h"
#include "preview/PreviewDib.h"
#include "resources/ImageInfoIds.h"
#include "tests/dialogs/DialogFixture.h"
#include "ui/ListBox.h"
#include "ui/Static.h"

#include <algorithm>

namespace {

std::vector<std::string> Lines(TDialog& dialog, int id)
{
    auto* list = dialog.ControlAs<TListBox>(id);
    std::vector<std::string> lines;
    for (int i = 0; i < list->GetCount(); ++i)
        lines.push_back(list->GetString(i));
    return lines;
}

} // namespace

using ImageInfoDialog = DialogTest;

// The dialog lists what the preview's record holds: a GIF89a file has sort flags, an aspect
// ratio and a control extension, a GIF87a file none of them; a file the preview could not
// read is "Unknown" without image lines. The folder is the browser's, the name the file's own.
TEST_F(ImageInfoDialog, ListsThePreviewsRecordForEachKindOfFile)
{
    struct TCase {
        std::string path;
        std::string type;
        bool version89a;
        size_t previewLines;
    };
    for (const TCase& test : { TCase { TestData("gif/im-still.gif").string(), "GIF", true, 21 },
             TCase { TestData("gif/pil-still.gif").string(), "GIF", false, 21 },
             TCase { TestData("bmp/pil-rgb24.bmp").string(), "BMP", false, 11 },
             TCase { folder.WriteText("notes.txt", "not an image"), "Unknown", false, 11 } }) {
        TPreviewDib preview(100, 100);
        preview.Load(test.path);
        TImageInfoDlg dialog(nullptr, ImageInformationOf(preview, "c:\\pictures\\"));
        Run<TImageInfoDlg>(dialog, [&](TImageInfoDlg& shown) {
            const std::string name = std::filesystem::path(test.path).filename().string();
            EXPECT_EQ(shown.ControlAs<TStatic>(IdInfoFileName)->GetText(), "c:\\pictures\\" + name);
            EXPECT_EQ(shown.ControlAs<TStatic>(IdInfoFileType)->GetText(), test.type);
            const std::vector<std::string> image = Lines(shown, IdImageLines);
            EXPECT_EQ(image.empty(), test.type == "Unknown") << name;
            for (const char* only89a : { " global color table sort flag: ", " pixel aspect ratio: ",
                     "Graphic Control Extension" }) {
                EXPECT_EQ(std::ranges::any_of(image,
                              [&](const std::string& line) { return line.starts_with(only89a); }),
                    test.version89a)
                    << name << only89a;
            }
            EXPECT_EQ(Lines(shown, IdPreviewLines).size(), test.previewLines) << name;
            return kIdOk;
        });
    }
    EXPECT_EQ(modal.Dialogs().back().caption, "Pelorin - image information");
}
