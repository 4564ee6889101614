#pragma once

#include <QUrl>

#include <string>

// Opens the program's help at a context number and closes it again. The help file's path
// names a ".hlp" file; the help itself is the HTML page of the same name beside it, opened
// in the desktop's browser at the anchor of the context ("#context-2").
class THelpService {
public:
    virtual ~THelpService() = default;
    virtual void Open(const std::string& helpFile, int context) = 0;
    virtual void Quit(const std::string& helpFile) = 0;
};

THelpService& HelpService();
// Replaces the service; nullptr brings back the desktop's.
void SetHelpService(THelpService* service);

// The page and anchor for a help file and context. A bare file name lies beside the
// program.
QUrl HelpUrl(const std::string& helpFile, int context);

// The program's help file, set once at start-up, as the help service is asked for it.
void SetHelpFile(std::string helpFile);
const std::string& HelpFile();

// Opens the program's help file at the context.
void OpenHelp(int context);
void QuitHelp();
