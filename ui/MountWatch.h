#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <set>
#include <string>

// Watches the mount table and reports volumes coming and going as device-change events
// (kDeviceArrival, kDeviceRemoveComplete). The table is read about once a second; the
// first reading is the baseline and reports nothing. A change that both removes and adds
// mount points reports the removal first.
class TMountWatch : public QObject {
public:
    using TReport = std::function<void(uint32_t event)>;

    explicit TMountWatch(TReport report, std::string mountTable = "/proc/self/mountinfo");

    void Start(int intervalMilliseconds = 1000);
    void Stop() { m_timer.stop(); }
    // Reads the table now and reports what changed since the last reading.
    void Poll();

private:
    TReport m_report;
    std::string m_mountTable;
    QTimer m_timer;
    std::set<std::string> m_mounts;
    bool m_haveBaseline = false;
};
