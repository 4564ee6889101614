#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class TDialog;

// The ids a message box or a dialog ends with.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

enum class TMsgIcon { None, Stop, Exclamation, Question, Information };
enum class TMsgButtons { Ok, OkCancel, RetryCancel, YesNo, YesNoCancel };

// What the save file dialog is asked for.
struct TSaveFileRequest {
    std::string title;
    std::string folder;
    std::string fileName;
    std::string filter; // for example "Bitmap files (*.bmp)"
    std::string defaultSuffix; // added to a name typed without one, for example "bmp"
    bool confirmOverwrite = true; // ask before a name that exists is taken
    bool folderMustExist = true; // a name in a folder that does not exist is refused
};

// Message boxes, the common dialogs and every modal dialog go through this one service, so
// that tests can answer them and see exactly what the user would have been shown.
class TModalService {
public:
    virtual ~TModalService() = default;
    // Returns the id of the button pressed (kIdOk, kIdCancel, kIdRetry ...).
    virtual int MessageBox(QWidget* parent, const std::string& text, const std::string& caption,
        TMsgIcon icon, TMsgButtons buttons)
        = 0;
    // Runs the dialog modally and returns the id it ended with.
    virtual int ExecuteDialog(TDialog& dialog) = 0;
    // A colour as 0x00BBGGRR, or none when the user cancels. The custom colours are shown
    // and come back as the user left them.
    virtual std::optional<uint32_t> ChooseColor(
        QWidget* parent, uint32_t initial, std::array<uint32_t, 16>& customColors)
        = 0;
    virtual std::optional<std::string> GetSaveFileName(
        QWidget* parent, const TSaveFileRequest& request)
        = 0;
};

TModalService& ModalService();
// Replaces the service; nullptr brings back the one that shows real windows.
void SetModalService(TModalService* service);

// The usual way to ask: through the current service.
int MessageBox(QWidget* parent, const std::string& text, const std::string& caption, TMsgIcon icon,
    TMsgButtons buttons = TMsgButtons::Ok);
