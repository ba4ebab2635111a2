#include "udev_hidraw_monitor.h"

#include <QFileInfo>
#include <QSocketNotifier>

#ifdef GM_HAVE_LIBUDEV
#include <libudev.h>

#include <cstring>
#endif

UdevHidrawMonitor::UdevHidrawMonitor(QObject *parent) : QObject(parent)
{
#ifdef GM_HAVE_LIBUDEV
    m_udev = udev_new();
    if (!m_udev)
        return;
    // The daemon's events carry the node's access as its rules left it; a
    // machine without the daemon only has the kernel's.
    const bool daemon = QFileInfo::exists(QStringLiteral("/run/udev/control"));
    const char *source = daemon ? "udev" : "kernel";
    m_monitor = udev_monitor_new_from_netlink(m_udev, source);
    if (!m_monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        if (m_monitor)
            udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
        return;
    }
    m_source = QString::fromLatin1(source);
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevHidrawMonitor::receive);
#endif
}

UdevHidrawMonitor::~UdevHidrawMonitor()
{
#ifdef GM_HAVE_LIBUDEV
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
#endif
}

void UdevHidrawMonitor::receive()
{
#ifdef GM_HAVE_LIBUDEV
    bool changed = false;
    // Every event waiting is taken, so one burst (a mouse brings two nodes)
    // asks for one look.
    while (udev_device *device = udev_monitor_receive_device(m_monitor)) {
        const char *action = udev_device_get_action(device);
        if (action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0))
            changed = true;
        udev_device_unref(device);
    }
    if (changed)
        emit hidrawChanged();
#endif
}
