#include "ui/MountWatch.h"

#include "platform/MountTable.h"
#include "ui/Window.h"

TMountWatch::TMountWatch(TReport report, std::string mountTable)
    : m_report(std::move(report))
    , m_mountTable(std::move(mountTable))
{
    connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
}

void TMountWatch::Start(int intervalMilliseconds)
{
    Poll();
    m_timer.start(intervalMilliseconds);
}

void TMountWatch::Poll()
{
    std::set<std::string> mounts;
    for (TMountEntry& entry : ParseMountTable(ReadMountTable(m_mountTable)))
        mounts.insert(std::move(entry.mountPoint));
    if (!m_haveBaseline) {
        m_haveBaseline = true;
        m_mounts = std::move(mounts);
        return;
    }
    bool removed = false;
    bool added = false;
    for (const std::string& mount : m_mounts)
        removed = removed || mounts.count(mount) == 0;
    for (const std::string& mount : mounts)
        added = added || m_mounts.count(mount) == 0;
    m_mounts = std::move(mounts);
    if (removed)
        m_report(kDeviceRemoveComplete);
    if (added)
        m_report(kDeviceArrival);
}
