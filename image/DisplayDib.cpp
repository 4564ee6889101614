#include "image/DisplayDib.h"

#include "platform/ProcessFlags.h"

#include <cstdio>

TDisplayDib::TDisplayDib(TProgressHook progress, bool progressInClient)
    : m_progress(std::move(progress))
    , m_progressInClient(progressInClient)
{
}

TDisplayDib::~TDisplayDib() = default;

void TDisplayDib::ShowProgress(int percent, int pass, int passes, bool withPasses)
{
    if (!m_progress || (m_progressInClient && !m_options.showStatus))
        return;
    char numbers[64];
    if (withPasses)
        std::snprintf(numbers, sizeof numbers, " - %2d%% pass %d of %d", percent, pass, passes);
    else
        std::snprintf(numbers, sizeof numbers, " - %2d%%", percent);
    m_progress(m_fileName + numbers, m_progressInClient);
}

void TDisplayDib::StartRowProgress(int64_t height)
{
    m_progressTenth = int64_t(double(height) * 0.1);
    m_progressNext = 1;
}

void TDisplayDib::RowProgress(int64_t rowsFinished)
{
    if (m_progressNext <= 9 && rowsFinished == m_progressTenth * m_progressNext) {
        ShowProgress(10 * m_progressNext);
        ++m_progressNext;
    }
}

bool TDisplayDib::AbortRequested() const { return ProcessFlags().loadAbort; }
