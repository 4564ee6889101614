#include "ui/HelpService.h"

#include "ui/ProgramState.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {

class TDesktopHelpService : public THelpService {
public:
    void Open(const std::string& helpFile, int context) override
    {
        QDesktopServices::openUrl(HelpUrl(helpFile, context));
    }
    // The desktop's browser is not ours to close.
    void Quit(const std::string&) override { }
};

THelpService*& CurrentService()
{
    static THelpService* service = nullptr;
    return service;
}

} // namespace

THelpService& HelpService()
{
    static TDesktopHelpService desktop;
    THelpService* service = CurrentService();
    return service ? *service : desktop;
}

void SetHelpService(THelpService* service) { CurrentService() = service; }

QUrl HelpUrl(const std::string& helpFile, int context)
{
    QString path = QString::fromStdString(helpFile);
    if (path.endsWith(".hlp", Qt::CaseInsensitive))
        path.chop(4);
    path += ".html";
    if (!path.contains('/'))
        path = QDir(QCoreApplication::applicationDirPath()).filePath(path);
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setFragment(QString("context-%1").arg(context));
    return url;
}

void OpenHelp(int context) { HelpService().Open(ProgramState().helpFile, context); }

void QuitHelp() { HelpService().Quit(ProgramState().helpFile); }
