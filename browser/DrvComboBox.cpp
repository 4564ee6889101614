#include "browser/DrvComboBox.h"

#include "browser/BitmapItem.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/Product.h"
#include "resources/BrowserBitmaps.h"
#include "ui/ModalService.h"

#include <bit>
#include <cctype>

namespace {

constexpr int kDriveBitmapBase = 400;

int DriveBitmap(TDriveType type)
{
    const int code = int(type);
    return kDriveBitmapBase
        + (code < int(TDriveType::Removable) || code > int(TDriveType::RamDisk)
                ? int(TDriveType::Removable)
                : code);
}

} // namespace

TDrvComboBox::TDrvComboBox(TWindow* parent, int id)
    : TComboBox(parent, id)
{
}

uint32_t& TDrvComboBox::KnownDrives()
{
    static uint32_t drives = 0;
    return drives;
}

uint32_t TDrvComboBox::Fill(char letter)
{
    TFileSystem& fileSystem = FileSystem();
    const uint32_t present = fileSystem.DriveMask();
    int chosen = -1;
    for (int drive = 0; drive < kDriveCount; ++drive) {
        if ((present & (1u << drive)) == 0)
            continue;
        const char driveLetter = char('a' + drive);
        const int index = AddString(std::string("drive ") + driveLetter + ":");
        SetItemData(index,
            uint32_t(drive) | uint32_t(DriveBitmap(fileSystem.DriveType(driveLetter))) << 16);
        if (driveLetter == letter)
            chosen = index;
    }
    SetSelIndex(chosen);
    m_lastGood = chosen;
    return present;
}

char TDrvComboBox::SelectedLetter() const
{
    const std::string text = GetString(GetSelIndex());
    return text.size() > 6 ? text[6] : 0;
}

int TDrvComboBox::IndexOfLetter(char letter) const
{
    for (int index = 0; index < GetCount(); ++index) {
        if (int(GetItemData(index) & 0xFFFF) == letter - 'a')
            return index;
    }
    return -1;
}

int TDrvComboBox::MeasureItemHeight() const { return BitmapItemHeight(fontMetrics()); }

void TDrvComboBox::DrawItem(TDrawItem& item)
{
    DrawBitmapItem(item, int(item.data >> 16), 4, kBrowserBitmapSize + 8);
}

char DriveAfterVolumeChange(
    bool removal, uint32_t knownDrives, uint32_t presentDrives, char current)
{
    const bool inUse = current >= 'a' && current <= 'z';
    const uint32_t removed = knownDrives & ~presentDrives;
    if (inUse && !(removal && (removed & 1u << (current - 'a')) != 0))
        return current;
    if (presentDrives >= 4)
        return char('a' + std::countr_zero(presentDrives & ~3u));
    return presentDrives != 0 ? char('a' + std::countr_zero(presentDrives)) : char(0);
}

bool AskRetryDrive(QWidget* parent, char letter)
{
    const std::string text = Format("%c:\\ is not accessible\n\nThe device is not ready.",
        std::toupper(static_cast<unsigned char>(letter)));
    return MessageBox(parent, text, ProductCaption("drive error"), TMsgIcon::Stop,
               TMsgButtons::RetryCancel)
        == kIdRetry;
}
