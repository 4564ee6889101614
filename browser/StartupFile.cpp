#include "browser/StartupFile.h"

#include "browser/BrowserLists.h"
#include "dialogs/ViewColorWarnDlg.h"
#include "platform/FileSystem.h"
#include "resources/BrowserIds.h"
#include "settings/ViewSettings.h"
#include "ui/Screen.h"
#include "ui/Window.h"

#include <filesystem>

std::string StartupFileText(const std::string& argument)
{
    std::error_code error;
    const std::filesystem::path native(argument);
    const bool folder = std::filesystem::is_directory(native, error);
    // A text in the browser's form ("c:\images\", "\images\*.gif") that names nothing here
    // stays as it is; bare names and patterns are taken in the working folder, as paths.
    const bool browserForm = argument.find_first_of(":\\") != std::string::npos
        && argument.find('/') == std::string::npos && !std::filesystem::exists(native, error);
    if (argument.empty() || browserForm)
        return argument;
    std::optional<std::string> path = FileSystem().BrowserPath(argument);
    if (!path)
        return argument;
    if (folder && !path->ends_with('\\'))
        *path += '\\';
    return *path;
}

TStartupFile::TStartupFile(TWindow& browser, TBrowserLists& lists, std::string argument)
    : m_browser(browser)
    , m_lists(lists)
    , m_argument(std::move(argument))
{
}

void TStartupFile::Begin()
{
    if (ColorWarningWanted(Settings(), ScreenInfo().colorDepth))
        m_browser.PostCommand(CmColorWarning);
    else
        Open();
}

void TStartupFile::ColorWarningThenFile()
{
    TViewColorWarnDlg(&m_browser, Settings()).Execute();
    Open();
}

void TStartupFile::Open()
{
    if (m_argument.empty())
        return;
    m_lists.TypeText(StartupFileText(m_argument));
    m_lists.ApplyTypedText();
}
