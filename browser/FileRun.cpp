#include "browser/FileRun.h"

#include "browser/CancelDialog.h"
#include "platform/ProcessFlags.h"

#include <QCoreApplication>

TFileRun::TFileRun(TWindow& browser, const std::string& caption)
{
    ProcessFlags().cancel = false;
    m_progress = std::make_unique<TCancelDialog>(&browser, caption);
    m_progress->ShowOver();
}

TFileRun::~TFileRun() = default;

void TFileRun::Show(const std::string& text) { m_progress->SetText(text); }

bool TFileRun::GoOn()
{
    if (!ProcessFlags().cancel)
        QCoreApplication::processEvents();
    return !ProcessFlags().cancel;
}
