#pragma once

#include <QObject>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Tells at once when a hidraw node comes or goes, so the window looks for the
// mouse then instead of at its next hot-plug tick. Where udev runs, its
// events come after the rules have set the node's access; without the udev
// daemon (a container, a bare kernel) the kernel's own events are heard.
// Without libudev, or where neither can be opened, it stays silent and the
// tick alone finds the mouse.
class UdevHidrawMonitor final : public QObject
{
    Q_OBJECT

public:
    explicit UdevHidrawMonitor(QObject *parent = nullptr);
    ~UdevHidrawMonitor() override;
    UdevHidrawMonitor(const UdevHidrawMonitor &) = delete;
    UdevHidrawMonitor &operator=(const UdevHidrawMonitor &) = delete;

    bool isListening() const { return m_monitor != nullptr; }
    // "udev", "kernel" or "" (not listening).
    QString source() const { return m_source; }

signals:
    // A hidraw node was added or removed.
    void hidrawChanged();

private:
    void receive();

    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    QString m_source;
};
