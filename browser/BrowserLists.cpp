#include "browser/BrowserLists.h"

#include "browser/DirListBox.h"
#include "browser/DrvComboBox.h"
#include "browser/FileTypeFilter.h"
#include "browser/FolderSearch.h"
#include "browser/ListRules.h"
#include "browser/TypedText.h"
#include "platform/CasePolicy.h"
#include "platform/FileSystem.h"
#include "platform/NameOrder.h"
#include "platform/Product.h"
#include "resources/BrowserIds.h"
#include "settings/ViewSettings.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/FilterValidator.h"
#include "ui/ListBox.h"
#include "ui/ModalService.h"
#include "ui/Static.h"
#include "ui/WaitCursor.h"

#include <algorithm>

namespace {

// What the file name field takes as it is typed.
constexpr const char* kFileNameCharacters = "!#-*.0-9:;?-{}~";

// The index of the list's item named exactly so, or else of the first named so without
// regard to case (the directory search that found the file ignores case); -1 for none.
int FindFileItem(const TListBox& list, const std::string& name)
{
    int caseless = -1;
    for (int index = 0; index < list.GetCount(); ++index) {
        const std::string item = list.GetString(index);
        if (item == name)
            return index;
        if (caseless < 0
            && QString::fromStdString(item).compare(
                   QString::fromStdString(name), Qt::CaseInsensitive)
                == 0)
            caseless = index;
    }
    return caseless;
}

} // namespace

TBrowserLists::TBrowserLists(
    TWindow& browser, const TBrowserControls& controls, std::function<void()> requestPreview)
    : m_browser(browser)
    , m_controls(controls)
    , m_requestPreview(std::move(requestPreview))
{
}

void TBrowserLists::SetUp(int averageCharWidth)
{
    TListBox& fileList = *m_controls.fileList;
    m_controls.fileName->SetValidator(new TFilterValidator(kFileNameCharacters));
    fileList.SetSortOrder(NameLess, SortNames);

    m_controls.driveList->SetExtendedUI(true);
    m_controls.typeList->SetExtendedUI(true);
    for (const TFileTypeEntry& entry : FileTypeEntries())
        m_controls.typeList->AddString(std::string(entry.text));
    const int type = std::clamp(Settings().FileType, 0, int(FileTypeEntries().size()) - 1);
    SelectType(type);
    SetPatternsFromType(type);

    fileList.SetColumnWidth(FileColumnWidth(averageCharWidth, fileList.width()));

    m_drive.clear();
    m_folder.clear();
    if (Settings().SavePath)
        Settings().LoadLastPath();
    const std::string start
        = FoldNameCase(StartFolder(Settings().SavePath ? Settings().LastPath : std::string()));
    FileSystem().ReadDrives();
    TDrvComboBox::KnownDrives()
        = m_controls.driveList->Fill(start.empty() ? char(0) : LowerAscii(start[0]));
    DriveChosen();
}

void TBrowserLists::SetFieldText(const std::string& text)
{
    m_controls.fileName->SetText(text);
    m_controls.fileName->ClearModify();
}

bool TBrowserLists::FieldModified() const { return m_controls.fileName->IsModified(); }

void TBrowserLists::TypeText(const std::string& text)
{
    m_controls.fileName->SetText(text);
    m_controls.fileName->setModified(true);
}

void TBrowserLists::FocusFileList() { m_controls.fileList->setFocus(); }

void TBrowserLists::SelectType(int index)
{
    m_controls.typeList->SetSelIndex(index);
    m_typeIndex = index;
}

void TBrowserLists::SetPatternsFromType(int index)
{
    const TFileTypeEntry& entry = FileTypeEntries()[size_t(index)];
    m_namePattern = entry.namePattern;
    m_extensionPattern = entry.extensionPattern;
    m_patternList = entry.patternList;
    m_wildcard = true;
    m_usesPatternList = index == kTypeSupported;
    SetFieldText(m_usesPatternList ? m_patternList : m_namePattern + m_extensionPattern);
}

void TBrowserLists::TypeNotified(bool closedUp)
{
    // A closed list whose selection the keys or the wheel moved counts as chosen too; after
    // a list closes on a choice, its selection change finds the choice made already.
    const TComboBox& list = *m_controls.typeList;
    if (closedUp || (!list.GetDroppedState() && list.GetSelIndex() != m_typeIndex))
        TypeChosen();
}

void TBrowserLists::TypeChosen()
{
    const int index = m_controls.typeList->GetSelIndex();
    if (index < 0)
        return;
    Settings().FileType = index;
    m_typeIndex = index;
    SetPatternsFromType(index);
    RefillFiles();
    FocusFileList();
}

void TBrowserLists::ChangeFolder(const std::string& path)
{
    TWaitCursor wait;
    std::string folder = path;
    if (!FileSystem().ChangeFolder(folder)) {
        folder = folder.substr(0, 3);
        FileSystem().ChangeFolder(folder);
    }
    if (!folder.ends_with('\\'))
        folder += '\\';
    m_browser.window()->setWindowTitle(QString::fromStdString(ProductCaption(folder)));
    m_drive = folder.substr(0, 2);
    m_folder = folder.size() > 2 ? folder.substr(2) : "\\";
    m_fullFolder = m_drive + m_folder;
    m_controls.folderList->Fill(m_fullFolder, Settings().ShowHidden);
    m_controls.folderLabel->SetText(ShortFolderLabel(m_fullFolder));
    RefillFiles();
}

void TBrowserLists::RefillFiles()
{
    TWaitCursor wait;
    TListBox& fileList = *m_controls.fileList;
    fileList.ClearList();
    m_listedPatterns = m_usesPatternList ? m_patternList : m_namePattern + m_extensionPattern;
    SetFieldText(m_listedPatterns);
    const std::vector<std::string> searches = m_usesPatternList
        ? PatternListSearches(m_patternList)
        : std::vector<std::string> { m_listedPatterns };
    fileList.AddStrings(MatchingFiles(m_fullFolder, searches, Settings().ShowHidden));
    m_requestPreview();
}

void TBrowserLists::DriveNotified(bool closedUp)
{
    const TDrvComboBox& list = *m_controls.driveList;
    if (closedUp
        || (!list.GetDroppedState() && (m_drive.empty() || list.SelectedLetter() != m_drive[0])))
        DriveChosen();
}

void TBrowserLists::DriveChosen()
{
    TDrvComboBox& driveList = *m_controls.driveList;
    const char letter = driveList.SelectedLetter();
    if (letter != 0 && (m_drive.empty() || letter != m_drive[0])) {
        TFileSystem& fileSystem = FileSystem();
        const char previous = fileSystem.CurrentDrive();
        for (;;) {
            std::optional<std::string> folder;
            if (fileSystem.MakeDriveCurrent(letter))
                folder = fileSystem.DriveFolder(letter);
            if (folder) {
                m_drive = { letter, ':' };
                ChangeFolder(FoldNameCase(*folder));
                driveList.SetLastGoodIndex(driveList.GetSelIndex());
                break;
            }
            if (!AskRetryDrive(&m_browser, letter)) {
                fileSystem.MakeDriveCurrent(previous);
                driveList.SetSelIndex(driveList.LastGoodIndex());
                break;
            }
        }
    }
    FocusFileList();
}

void TBrowserLists::SelectDrive(char letter)
{
    TDrvComboBox& driveList = *m_controls.driveList;
    const int index = driveList.IndexOfLetter(letter);
    driveList.SetSelIndex(index);
    driveList.SetLastGoodIndex(index);
}

void TBrowserLists::EnterCaretFolder() { ChangeFolder(m_controls.folderList->ItemPath()); }

bool TBrowserLists::CaretOnCurrentFolder() const
{
    return m_controls.folderList->CaretFolder() == m_fullFolder;
}

void TBrowserLists::FileSelectionChanged()
{
    const TListBox& fileList = *m_controls.fileList;
    if (!m_wildcard && !m_usesPatternList)
        SetFieldText(fileList.GetString(fileList.GetCaretIndex()));
}

void TBrowserLists::ApplyTypedText()
{
    TEdit& field = *m_controls.fileName;
    TTypedText typed;
    for (;;) {
        typed = InterpretTypedText(field.GetText(), TFileSystemFolders(), Settings().ShowHidden);
        if (typed.kind != TTypedText::TKind::DriveNotReady)
            break;
        if (!AskRetryDrive(&m_browser, typed.text[0])) {
            m_usesPatternList = false;
            return;
        }
    }
    m_usesPatternList = typed.kind == TTypedText::TKind::PatternList;
    switch (typed.kind) {
    case TTypedText::TKind::Refused:
        MessageBox(&m_browser, typed.message, typed.caption, TMsgIcon::Exclamation);
        if (typed.patternList)
            m_wildcard = false;
        if (typed.selectField)
            field.SetSelection(0, -1);
        return;
    case TTypedText::TKind::PatternList:
        m_wildcard = ::HasWildcard(typed.text);
        m_patternList = typed.text;
        if (typed.typeEntry >= 0)
            SelectType(typed.typeEntry);
        RefillFiles();
        field.SetSelection(0, -1);
        return;
    default:
        return GoToTypedPath(typed);
    }
}

void TBrowserLists::GoToTypedPath(const TTypedText& typed)
{
    const TTypedPath& parsed = typed.parsed;
    m_namePattern = typed.namePattern;
    m_extensionPattern = typed.extensionPattern;
    m_wildcard = true;
    if (typed.typeEntry >= 0)
        SelectType(typed.typeEntry);
    if (parsed.driveGiven && parsed.drive != m_drive) {
        FileSystem().MakeDriveCurrent(parsed.drive[0]);
        SelectDrive(parsed.drive[0]);
        m_drive = parsed.drive;
        ChangeFolder(parsed.drive + parsed.folder);
    } else if (parsed.folderGiven && parsed.folder != m_folder) {
        ChangeFolder(parsed.drive + parsed.folder);
    } else if (parsed.nameGiven || parsed.extensionGiven
        || m_listedPatterns != m_namePattern + m_extensionPattern) {
        // Patterns that changed without a name or extension typed ("." or the current
        // folder typed again) are listed too, so that the list matches the field and the
        // type shown.
        RefillFiles();
    }
    SetFieldText(m_namePattern + m_extensionPattern);
    m_controls.fileName->SetSelection(0, -1);
    if (!typed.fileToOpen.empty())
        OpenTypedFile(typed.fileToOpen);
}

void TBrowserLists::OpenTypedFile(const std::string& name)
{
    const int index = FindFileItem(*m_controls.fileList, name);
    if (index < 0) {
        MessageBox(&m_browser, name, ProductCaption("file not found"), TMsgIcon::None);
        return;
    }
    m_controls.fileList->SetCaretIndex(index);
    m_browser.PostCommand(CmShow);
}

void TBrowserLists::DeviceChanged(uint32_t event, uint32_t deviceType)
{
    if ((event != kDeviceArrival && event != kDeviceRemoveComplete)
        || deviceType != kDeviceTypeVolume)
        return;
    const uint32_t known = TDrvComboBox::KnownDrives();
    const uint32_t present = FileSystem().ReadDrives();
    if (present == known)
        return;
    const char letter = DriveAfterVolumeChange(
        event == kDeviceRemoveComplete, known, present, m_drive.empty() ? char(0) : m_drive[0]);
    if (letter == 0)
        return m_browser.PostCommand(CmNoDrives);
    m_controls.driveList->ClearList();
    TDrvComboBox::KnownDrives() = m_controls.driveList->Fill(letter);
    if (m_drive.empty() || letter != m_drive[0])
        DriveChosen();
}
