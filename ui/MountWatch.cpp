#include "ui/MountWatch.h"

#include "ui/Window.h"

#include <fstream>
#include <sstream>

namespace {

std::string Unescape(const std::string& field)
{
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                text.push_back(char(std::stoi(digits, nullptr, 8)));
                i += 3;
                continue;
            }
        }
        text.push_back(field[i]);
    }
    return text;
}

} // namespace

std::set<std::string> MountPoints(const std::string& mountInfo)
{
    std::set<std::string> mounts;
    std::istringstream lines(mountInfo);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string field;
        // mount id, parent id, major:minor, root, then the mount point.
        for (int i = 0; i < 5 && fields >> field; ++i) {
            if (i == 4)
                mounts.insert(Unescape(field));
        }
    }
    return mounts;
}

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
    std::ifstream file(m_mountTable);
    std::stringstream text;
    text << file.rdbuf();
    std::set<std::string> mounts = MountPoints(text.str());
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
