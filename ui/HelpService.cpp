#include "ui/HelpService.h"

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

std::string& ProgramHelpFile()
{
    static std::string helpFile;
    return helpFile;
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

void SetHelpFile(std::string helpFile) { ProgramHelpFile() = std::move(helpFile); }

const std::string& HelpFile() { return ProgramHelpFile(); }

void OpenHelp(int context) { HelpService().Open(HelpFile(), context); }

void QuitHelp() { HelpService().Quit(HelpFile()); }
