#include "view/ViewSaver.h"

#include "platform/CasePolicy.h"

#include "image/DisplayDib.h"
#include "platform/Format.h"
#include "platform/Product.h"
#include "platform/SafeFile.h"
#include "resources/ViewIds.h"
#include "ui/ModalService.h"
#include "ui/WaitCursor.h"
#include "view/SaveDialogs.h"
#include "view/ShownImage.h"
#include "view/ViewLoader.h"
#include "view/ViewWindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <memory>

namespace {

size_t FolderEnd(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

} // namespace

std::string ProposedSaveName(const std::string& path)
{
    std::string name = path.substr(FolderEnd(path));
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name + ".bmp";
}

TViewSaver::TViewSaver(TViewWindow& window, TShownImage& image, TViewLoader& loader)
    : m_window(window)
    , m_image(image)
    , m_loader(loader)
{
}

void TViewSaver::Save()
{
    if (m_saving || !m_image.HasImage())
        return;
    // The image named is the image written: the slideshow and the animation stop, and a
    // frame being decoded is finished first.
    if (m_loader.InterruptDecode()) {
        m_window.PostCommand(CmSaveAsBmp);
        return;
    }
    // Whatever a message handled meanwhile does to the window, the image stays until written.
    const std::shared_ptr<const TDisplayDib> image = m_image.Share();
    m_saving = true;
    m_closeAfterSave = false;
    const std::optional<std::string> name = AskName();
    if (name && !m_closeAfterSave) {
        // The windows under the closed dialog repaint first.
        QCoreApplication::processEvents();
        TSafeFile file;
        TBmpWrite result = TBmpWrite::OpenFailed;
        if (file.Create(*name))
            result = Write(*image, file, *name);
        file.Discard();
        if (result == TBmpWrite::OpenFailed || result == TBmpWrite::WriteFailed)
            m_window.Ask(BmpWriteError(result, *name), ProductCaption("error saving image"),
                TMsgIcon::Stop, TMsgButtons::Ok);
        else if (!m_closeAfterSave)
            Confirm(result == TBmpWrite::Complete, *name);
    }
    m_saving = false;
    if (m_closeAfterSave)
        m_window.PostCloseRequest();
}

bool TViewSaver::DeferClose()
{
    if (!m_saving)
        return false;
    m_closeAfterSave = true;
    Press();
    return true;
}

void TViewSaver::Press()
{
    m_cancel = true;
    if (m_confirmWait)
        m_confirmWait->quit();
}

std::optional<std::string> TViewSaver::AskName()
{
    const std::string& shown = m_image.FileName();
    TSaveFileRequest request;
    request.title = ProductCaption("save image as");
    request.folder = m_lastFolder.empty() ? shown.substr(0, FolderEnd(shown)) : m_lastFolder;
    request.fileName = ProposedSaveName(shown);
    request.filter = "Bitmap Files (*.BMP)";
    request.defaultSuffix = "bmp";
    request.confirmOverwrite = true;
    request.folderMustExist = true;
    std::optional<std::string> name;
    {
        TViewWindow::TMouseFreed mouse(m_window);
        name = ModalService().GetSaveFileName(&m_window, request);
    }
    if (!name)
        return std::nullopt;
    m_lastFolder = name->substr(0, FolderEnd(*name));
    // Where the file system tells case apart the name keeps its case: lower-casing Photo.bmp
    // would write another file than the one chosen.
    return FoldNameCase(*name);
}

TBmpWrite TViewSaver::Write(const TDib& image, TSafeFile& file, const std::string& name)
{
    const auto progressText
        = [&name](int percent) { return Format("%s - %2d%%", name.c_str(), percent); };
    m_cancel = false;
    TViewWindow::TMouseFreed mouse(m_window);
    TSaveCancelDialog progress(
        &m_window, ProductCaption("saving image as ..."), [this] { Press(); });
    progress.SetText(progressText(0));
    progress.ShowOver();
    TWaitCursor wait;
    TBmpSliceHooks hooks;
    // Between slices the queue is drained, so that Cancel and painting work.
    hooks.beforeSlice = [this] {
        QCoreApplication::processEvents();
        return !m_cancel;
    };
    hooks.afterSlice = [&](int percent) { progress.SetText(progressText(percent)); };
    TBmpWrite result = AppendBmpSlices(file, image, hooks);
    if (result == TBmpWrite::Complete && !file.Commit())
        result = TBmpWrite::WriteFailed;
    return result;
}

void TViewSaver::Confirm(bool saved, const std::string& name)
{
    m_cancel = false;
    TViewWindow::TMouseFreed mouse(m_window);
    TSaveOKDialog confirm(&m_window,
        ProductCaption(saved ? "image saved as ..." : "aborted saving image ..."),
        [this] { Press(); });
    confirm.SetText(name);
    confirm.ShowOver();
    QEventLoop wait;
    m_confirmWait = &wait;
    QTimer::singleShot(kConfirmMilliseconds, &wait, &QEventLoop::quit);
    wait.exec();
    m_confirmWait = nullptr;
}
