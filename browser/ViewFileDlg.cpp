#include "browser/ViewFileDlg.h"

#include "browser/DirListBox.h"
#include "browser/DrvComboBox.h"
#include "browser/FileTypeFilter.h"
#include "browser/FolderSearch.h"
#include "browser/ListRules.h"
#include "browser/TypedText.h"
#include "dialogs/ViewColorWarnDlg.h"
#include "dialogs/ViewOptionsDlg.h"
#include "platform/CasePolicy.h"
#include "platform/FileSystem.h"
#include "platform/NameOrder.h"
#include "platform/ProcessFlags.h"
#include "platform/Product.h"
#include "preview/PreviewDib.h"
#include "resources/BrowserIds.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/FilterValidator.h"
#include "ui/ListBox.h"
#include "ui/ModalService.h"
#include "ui/Screen.h"
#include "ui/Static.h"
#include "ui/WaitCursor.h"
#include "view/ReaderOptions.h"
#include "view/ViewWindow.h"

#include <QAbstractItemView>

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

bool& TViewFileDlg::BrowserCreatedBefore()
{
    static bool created = false;
    return created;
}

TViewFileDlg::TViewFileDlg(TWindow* parent, int templateId)
    : TDialog(parent, BrowserTemplate(templateId))
    , m_driveList(new TDrvComboBox(this, IdDriveCombo))
    , m_folderList(new TDirListBox(this, IdFolderList))
{
    if (!BrowserCreatedBefore()) {
        BrowserCreatedBefore() = true;
        Settings().LoadBrowserGroup();
    } else {
        Settings().CopyLayoutToSizeMain();
    }
}

TViewFileDlg::~TViewFileDlg()
{
    if (IsCreated())
        Settings().SaveBrowserState(m_fullFolder);
}

void TViewFileDlg::SetupWindow()
{
    TDialog::SetupWindow();
    SetAccelerators(&BrowserAccelerators());
    m_fileList = ControlAs<TListBox>(IdFileList);
    m_fileName = ControlAs<TEdit>(IdFileName);
    m_typeList = ControlAs<TComboBox>(IdTypeCombo);
    m_folderLabel = ControlAs<TStatic>(IdFolderText);
    m_fileName->SetValidator(new TFilterValidator(kFileNameCharacters));
    m_fileList->SetSortOrder(NameLess, SortNames);

    m_driveList->SetExtendedUI(true);
    m_typeList->SetExtendedUI(true);
    for (const TFileTypeEntry& entry : FileTypeEntries())
        m_typeList->AddString(std::string(entry.text));
    const int type = std::clamp(Settings().FileType, 0, int(FileTypeEntries().size()) - 1);
    SelectType(type);
    SetPatternsFromType(type);

    // The average character width is the dialog font's, as the dialog units measure it.
    m_fileList->SetColumnWidth(FileColumnWidth(Units().baseX, m_fileList->width()));

    m_previewRect = Control(IdPreviewBox)->Widget()->geometry();
    m_preview = std::make_unique<TPreviewDib>(
        m_previewRect.width(), m_previewRect.height(),
        [this](const TPreviewDib&, int32_t) { update(m_previewRect); },
        [this](int32_t command) { PostCommand(command); }, PreviewOptionsFrom(Settings()));

    m_drive.clear();
    m_folder.clear();
    m_copyDestination.clear();
    if (Settings().SavePath)
        Settings().LoadLastPath();
    const std::string start
        = FoldNameCase(StartFolder(Settings().SavePath ? Settings().LastPath : std::string()));
    m_driveList->Fill(start.empty() ? char(0) : LowerAscii(start[0]));
    DriveChosen();

    if (ColorWarningWanted(Settings(), ScreenInfo().colorDepth))
        PostCommand(CmColorWarning);
    // The browser is the last window a restart builds, so the restart is complete.
    ProcessFlags().restart = false;
}

void TViewFileDlg::EvCommand(int id)
{
    switch (id) {
    case CmExit:
        return Exit();
    case CmEnter:
        return EnterPressed();
    case CmShow:
        return Show(!Settings().ShiftForSelected);
    case CmShowSelected:
        return Show(Settings().ShiftForSelected);
    case CmNoDrives:
        return NoDrives();
    case CmOptions:
        return Options();
    case CmColorWarning:
        return ColorWarning();
    default:
        return TDialog::EvCommand(id);
    }
}

void TViewFileDlg::EvNotify(int controlId, TNotify code)
{
    // A closed list whose selection the keys or the wheel moved counts as chosen too; after
    // a list closes on a choice, its selection change finds the choice made already.
    auto closedChange = [code](const TComboBox& list) {
        return code == TNotify::SelChange && !list.GetDroppedState();
    };
    switch (controlId) {
    case IdDriveCombo:
        if (code == TNotify::CloseUp
            || (closedChange(*m_driveList)
                && (m_drive.empty() || m_driveList->SelectedLetter() != m_drive[0])))
            DriveChosen();
        return;
    case IdTypeCombo:
        if (code == TNotify::CloseUp
            || (closedChange(*m_typeList) && m_typeList->GetSelIndex() != m_typeIndex))
            TypeChosen();
        return;
    case IdFolderList:
        if (code == TNotify::DblClk)
            NavigateFolder();
        return;
    default:
        return TDialog::EvNotify(controlId, code);
    }
}

void TViewFileDlg::SetFieldText(const std::string& text)
{
    m_fileName->SetText(text);
    m_fileName->ClearModify();
}

void TViewFileDlg::FocusFileList() { m_fileList->setFocus(); }

void TViewFileDlg::SelectType(int index)
{
    m_typeList->SetSelIndex(index);
    m_typeIndex = index;
}

void TViewFileDlg::SetPatternsFromType(int index)
{
    const TFileTypeEntry& entry = FileTypeEntries()[size_t(index)];
    m_namePattern = entry.namePattern;
    m_extensionPattern = entry.extensionPattern;
    m_patternList = entry.patternList;
    m_wildcard = true;
    m_usesPatternList = index == kTypeSupported;
    SetFieldText(m_usesPatternList ? m_patternList : m_namePattern + m_extensionPattern);
}

void TViewFileDlg::TypeChosen()
{
    const int index = m_typeList->GetSelIndex();
    if (index < 0)
        return;
    Settings().FileType = index;
    m_typeIndex = index;
    SetPatternsFromType(index);
    RefillFiles();
    FocusFileList();
}

void TViewFileDlg::ChangeFolder(const std::string& path)
{
    TWaitCursor wait;
    std::string folder = path;
    if (!FileSystem().ChangeFolder(folder)) {
        folder = folder.substr(0, 3);
        FileSystem().ChangeFolder(folder);
    }
    if (!folder.ends_with('\\'))
        folder += '\\';
    window()->setWindowTitle(QString::fromStdString(ProductCaption(folder)));
    m_drive = folder.substr(0, 2);
    m_folder = folder.size() > 2 ? folder.substr(2) : "\\";
    m_fullFolder = m_drive + m_folder;
    m_folderList->Fill(m_fullFolder, Settings().ShowHidden);
    m_folderLabel->SetText(ShortFolderLabel(m_fullFolder));
    RefillFiles();
}

void TViewFileDlg::RefillFiles()
{
    TWaitCursor wait;
    m_fileList->ClearList();
    m_listedPatterns = m_usesPatternList ? m_patternList : m_namePattern + m_extensionPattern;
    SetFieldText(m_listedPatterns);
    const std::vector<std::string> searches = m_usesPatternList
        ? PatternListSearches(m_patternList)
        : std::vector<std::string> { m_listedPatterns };
    m_fileList->AddStrings(MatchingFiles(m_fullFolder, searches, Settings().ShowHidden));
    PostCommand(CmRefreshPreview);
}

void TViewFileDlg::DriveChosen()
{
    const char letter = m_driveList->SelectedLetter();
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
                m_driveList->SetLastGoodIndex(m_driveList->GetSelIndex());
                break;
            }
            if (!AskRetryDrive(this, letter)) {
                fileSystem.MakeDriveCurrent(previous);
                m_driveList->SetSelIndex(m_driveList->LastGoodIndex());
                break;
            }
        }
    }
    FocusFileList();
}

void TViewFileDlg::SelectDrive(char letter)
{
    const int index = m_driveList->IndexOfLetter(letter);
    m_driveList->SetSelIndex(index);
    m_driveList->SetLastGoodIndex(index);
}

void TViewFileDlg::NavigateFolder()
{
    // A folder change waits until the running decode has stopped.
    TProcessFlags& flags = ProcessFlags();
    if (flags.previewBusy || flags.viewerLoading) {
        (flags.previewBusy ? flags.previewAbort : flags.loadAbort) = true;
        PostNotify(IdFolderList, TNotify::DblClk);
        return;
    }
    ChangeFolder(m_folderList->ItemPath());
}

void TViewFileDlg::EnterPressed()
{
    QWidget* focused = focusWidget();
    if (focused == m_folderList) {
        std::string path = m_folderList->ItemPath();
        if (!path.ends_with('\\'))
            path += '\\';
        if (path != m_fullFolder)
            return NavigateFolder();
    } else if (auto* combo = dynamic_cast<TComboBox*>(focused); combo && combo->GetDroppedState()) {
        // The entry under the cursor is chosen, as a click on it would choose it.
        const QModelIndex entry = combo->view()->currentIndex();
        if (entry.isValid())
            combo->SetSelIndex(entry.row());
        return combo->ShowDropDown(false);
    } else if (auto* button = dynamic_cast<TButton*>(focused);
               button && button->Id() != IdShowButton) {
        return PostCommand(button->Id());
    }
    Show(!Settings().ShiftForSelected);
}

void TViewFileDlg::Show(bool)
{
    if (m_fileName->IsModified())
        return ApplyTypedText();
}

TViewWindow* TViewFileDlg::ViewWindow() const { return m_viewWindow; }

TViewWindow& TViewFileDlg::CreateViewWindow()
{
    if (!m_viewWindow) {
        m_viewWindow = new TViewWindow(this);
        m_viewWindow->SetBrowserFiles({ m_fileList, &m_drive, &m_folder });
        m_viewWindow->Create();
    }
    return *m_viewWindow;
}

void TViewFileDlg::CloseViewWindow()
{
    if (m_viewWindow)
        m_viewWindow->CloseFromBrowser();
}

void TViewFileDlg::ApplyTypedText()
{
    TTypedText typed;
    for (;;) {
        typed = InterpretTypedText(
            m_fileName->GetText(), TFileSystemFolders(), Settings().ShowHidden);
        if (typed.kind != TTypedText::TKind::DriveNotReady)
            break;
        if (!AskRetryDrive(this, typed.text[0])) {
            m_usesPatternList = false;
            return;
        }
    }
    m_usesPatternList = typed.kind == TTypedText::TKind::PatternList;
    switch (typed.kind) {
    case TTypedText::TKind::Refused:
        MessageBox(this, typed.message, typed.caption, TMsgIcon::Exclamation);
        if (typed.patternList)
            m_wildcard = false;
        if (typed.selectField)
            m_fileName->SetSelection(0, -1);
        return;
    case TTypedText::TKind::PatternList:
        m_wildcard = ::HasWildcard(typed.text);
        m_patternList = typed.text;
        if (typed.typeEntry >= 0)
            SelectType(typed.typeEntry);
        RefillFiles();
        m_fileName->SetSelection(0, -1);
        return;
    default:
        return GoToTypedPath(typed);
    }
}

void TViewFileDlg::GoToTypedPath(const TTypedText& typed)
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
    m_fileName->SetSelection(0, -1);
    if (!typed.fileToOpen.empty())
        OpenTypedFile(typed.fileToOpen);
}

void TViewFileDlg::OpenTypedFile(const std::string& name)
{
    const int index = FindFileItem(*m_fileList, name);
    if (index < 0) {
        MessageBox(this, name, ProductCaption("file not found"), TMsgIcon::None);
        return;
    }
    m_fileList->SetCaretIndex(index);
    PostCommand(CmShow);
}

void TViewFileDlg::EvDeviceChange(uint32_t event, uint32_t deviceType)
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
        return PostCommand(CmNoDrives);
    m_driveList->ClearList();
    m_driveList->Fill(letter);
    if (m_drive.empty() || letter != m_drive[0])
        DriveChosen();
}

void TViewFileDlg::NoDrives()
{
    MessageBox(this, "Unable to locate any drives\nPelorin will now close ...",
        ProductCaption("drive error"), TMsgIcon::Stop);
    Exit();
}

void TViewFileDlg::Exit()
{
    // The main frame decides whether it may close: a running decode defers it.
    if (auto* frame = dynamic_cast<TWindow*>(window()); frame && frame != this)
        frame->CloseWindow();
}

void TViewFileDlg::Options() { TViewOptionsDlg(this, Settings()).Execute(); }

void TViewFileDlg::ColorWarning() { TViewColorWarnDlg(this, Settings()).Execute(); }
