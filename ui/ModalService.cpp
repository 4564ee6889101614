#include "ui/ModalService.h"

#include "ui/ColorRef.h"
#include "ui/Dialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The toolkit's save dialog, which takes a name in a folder that does not exist unless told
// otherwise. (A native dialog of the desktop asks for an existing folder itself.)
class TSaveFileDialog : public QFileDialog {
public:
    TSaveFileDialog(QWidget* parent, const TSaveFileRequest& request)
        : QFileDialog(parent, QString::fromStdString(request.title),
            QString::fromStdString(request.folder + request.fileName),
            QString::fromStdString(request.filter))
        , m_folderMustExist(request.folderMustExist)
    {
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
        setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    }

protected:
    void accept() override
    {
        const QStringList names = selectedFiles();
        if (m_folderMustExist && !names.isEmpty()) {
            const QFileInfo name(names.constFirst());
            if (!name.isDir() && !name.absoluteDir().exists()) {
                QMessageBox::warning(this, windowTitle(),
                    tr("%1\nThe folder does not exist. Check the name and try again.")
                        .arg(name.absolutePath()));
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    bool m_folderMustExist;
};

class TWindowModalService : public TModalService {
public:
    int MessageBox(QWidget* parent, const std::string& text, const std::string& caption,
        TMsgIcon icon, TMsgButtons buttons) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(QString::fromStdString(caption));
        box.setText(QString::fromStdString(text));
        box.setIcon(IconOf(icon));
        struct TChoice {
            const char* text;
            int id;
            QMessageBox::ButtonRole role;
        };
        std::vector<TChoice> choices;
        switch (buttons) {
        case TMsgButtons::Ok:
            choices = { { "OK", kIdOk, QMessageBox::AcceptRole } };
            break;
        case TMsgButtons::OkCancel:
            choices = { { "OK", kIdOk, QMessageBox::AcceptRole },
                { "Cancel", kIdCancel, QMessageBox::RejectRole } };
            break;
        case TMsgButtons::RetryCancel:
            choices = { { "&Retry", kIdRetry, QMessageBox::AcceptRole },
                { "Cancel", kIdCancel, QMessageBox::RejectRole } };
            break;
        case TMsgButtons::YesNo:
            choices = { { "&Yes", kIdYes, QMessageBox::YesRole },
                { "&No", kIdNo, QMessageBox::NoRole } };
            break;
        case TMsgButtons::YesNoCancel:
            choices
                = { { "&Yes", kIdYes, QMessageBox::YesRole }, { "&No", kIdNo, QMessageBox::NoRole },
                      { "Cancel", kIdCancel, QMessageBox::RejectRole } };
            break;
        }
        std::vector<QPushButton*> pushButtons;
        for (const TChoice& choice : choices)
            pushButtons.push_back(box.addButton(choice.text, choice.role));
        box.setDefaultButton(pushButtons.front());
        // Esc answers Cancel where there is one, and OK in a box with only OK.
        if (buttons != TMsgButtons::YesNo)
            box.setEscapeButton(pushButtons.back());
        box.exec();
        for (size_t i = 0; i < choices.size(); ++i) {
            if (box.clickedButton() == pushButtons[i])
                return choices[i].id;
        }
        return choices.back().id;
    }

    int ExecuteDialog(TDialog& dialog) override { return dialog.RunModal(); }

    std::optional<uint32_t> ChooseColor(
        QWidget* parent, uint32_t initial, std::array<uint32_t, 16>& customColors) override
    {
        for (size_t i = 0; i < customColors.size(); ++i)
            QColorDialog::setCustomColor(int(i), ColorFromRef(customColors[i]));
        const QColor chosen = QColorDialog::getColor(ColorFromRef(initial), parent);
        for (size_t i = 0; i < customColors.size(); ++i)
            customColors[i] = ColorRefOf(QColorDialog::customColor(int(i)));
        if (!chosen.isValid())
            return std::nullopt;
        return ColorRefOf(chosen);
    }

    std::optional<std::string> GetSaveFileName(
        QWidget* parent, const TSaveFileRequest& request) override
    {
        TSaveFileDialog dialog(parent, request);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst().toStdString();
    }

private:
    static QMessageBox::Icon IconOf(TMsgIcon icon)
    {
        switch (icon) {
        case TMsgIcon::Stop:
            return QMessageBox::Critical;
        case TMsgIcon::Exclamation:
            return QMessageBox::Warning;
        case TMsgIcon::Question:
            return QMessageBox::Question;
        case TMsgIcon::Information:
            return QMessageBox::Information;
        case TMsgIcon::None:
            break;
        }
        return QMessageBox::NoIcon;
    }
};

TModalService*& CurrentService()
{
    static TModalService* service = nullptr;
    return service;
}

} // namespace

TModalService& ModalService()
{
    static TWindowModalService windows;
    TModalService* service = CurrentService();
    return service ? *service : windows;
}

void SetModalService(TModalService* service) { CurrentService() = service; }

int MessageBox(QWidget* parent, const std::string& text, const std::string& caption, TMsgIcon icon,
    TMsgButtons buttons)
{
    return ModalService().MessageBox(parent, text, caption, icon, buttons);
}
