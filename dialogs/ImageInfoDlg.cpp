#include "dialogs/ImageInfoDlg.h"

#include "resources/ImageInfoIds.h"
#include "resources/Templates.h"
#include "ui/ListBox.h"
#include "ui/Static.h"

TImageInfoDlg::TImageInfoDlg(TWindow* parent, TImageInformation info)
    : TDialog(parent, ImageInfoTemplate())
    , m_info(std::move(info))
{
}

void TImageInfoDlg::SetupWindow()
{
    TDialog::SetupWindow();
    ControlAs<TStatic>(IdInfoFileName)->SetText(m_info.fileName);
    ControlAs<TStatic>(IdInfoFileType)->SetText(m_info.fileType);
    for (const auto& [id, lines] : { std::pair { IdImageLines, &m_info.imageLines },
             std::pair { IdPreviewLines, &m_info.previewLines } }) {
        auto* list = ControlAs<TListBox>(id);
        for (const std::string& line : *lines)
            list->AddString(line);
    }
}
