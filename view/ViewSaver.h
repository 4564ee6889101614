#pragma once

#include "image/BmpWriter.h"

#include <optional>
#include <string>

class QEventLoop;
class TDib;
class TSafeFile;
class TShownImage;
class TViewLoader;
class TViewWindow;

// Ctrl+S: writes the shown image as a BMP file, exactly as its bitmap is held in memory (the
// full-size image; an animation's frame as composed), under a name the user chooses. The
// file is written in slices beside its name with a progress window that can cancel it, and
// takes the name only once it is complete, so a cancel or a failure leaves any file of that
// name as it was; a short confirmation follows.
class TViewSaver {
public:
    // How long the confirmation stays unless OK ends it.
    static constexpr int kConfirmMilliseconds = 3000;

    TViewSaver(TViewWindow& window, TShownImage& image, TViewLoader& loader);

    void Save();
    // While a save runs, a request to close the window ends the save as Cancel (or OK) does:
    // true then, and the window is asked to close again once the save is over.
    bool DeferClose();

private:
    std::optional<std::string> AskName();
    TBmpWrite Write(const TDib& image, TSafeFile& file, const std::string& name);
    void Confirm(bool saved, const std::string& name);
    void Press();

    TViewWindow& m_window;
    TShownImage& m_image;
    TViewLoader& m_loader;
    // The save dialog opens where the last save of the run went, at first beside the image.
    std::string m_lastFolder;
    bool m_saving = false;
    // Set by the progress window's Cancel and by the confirmation's OK.
    bool m_cancel = false;
    bool m_closeAfterSave = false;
    QEventLoop* m_confirmWait = nullptr;
};

// The name the save dialog proposes for the image read from path: its base name (without
// folder and extension) followed by ".bmp".
std::string ProposedSaveName(const std::string& path);
