#include "browser/FileOperations.h"

#include "browser/FileCopy.h"
#include "browser/FileDelete.h"

#include <utility>

TBrowserFileOps::TBrowserFileOps(TWindow& browser, TListBox& files, const std::string& fullFolder)
    : m_delete(std::make_unique<TFileDelete>(browser, files, fullFolder))
    , m_copy(std::make_unique<TFileCopy>(browser, files, fullFolder))
{
}

TBrowserFileOps::~TBrowserFileOps() = default;

void TBrowserFileOps::Delete(bool selectedMode)
{
    Run([&] { m_delete->Delete(selectedMode); });
}

void TBrowserFileOps::Copy(bool selectedMode)
{
    Run([&] { m_copy->Copy(selectedMode); });
}

const std::string& TBrowserFileOps::CopyDestination() const { return m_copy->Destination(); }

void TBrowserFileOps::Run(const std::function<void()>& operation)
{
    if (m_running)
        return;
    m_running = true;
    operation();
    m_running = false;
    for (const auto& work : std::exchange(m_afterRun, {}))
        work();
}
