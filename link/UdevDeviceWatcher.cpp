#include "UdevDeviceWatcher.h"

#include <QSocketNotifier>

#include <libudev.h>

#include <cstring>

void UdevDeviceWatcher::UdevDeleter::operator()(udev* u) const {
    udev_unref(u);
}
void UdevDeviceWatcher::UdevDeleter::operator()(udev_monitor* m) const {
    udev_monitor_unref(m);
}

UdevDeviceWatcher::UdevDeviceWatcher() = default;

UdevDeviceWatcher::~UdevDeviceWatcher() {
    unregisterNotifications();
}

bool UdevDeviceWatcher::registerNotifications(const DeviceInterfaceFilter& filter,
                                              Handler handler) {
    (void)filter;
    unregisterNotifications();
    m_udev.reset(udev_new());
    if (!m_udev) {
        return false;
    }
    m_monitor.reset(udev_monitor_new_from_netlink(m_udev.get(), "udev"));
    if (!m_monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor.get(), "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor.get()) < 0) {
        m_monitor.reset();
        m_udev.reset();
        return false;
    }
    m_handler = std::move(handler);
    m_notifier = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(m_monitor.get()),
                                                   QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { readMonitor(); });
    return true;
}

void UdevDeviceWatcher::unregisterNotifications() {
    if (m_notifier) {
        // Possibly called from inside the notifier's own signal: delete it later.
        m_notifier->setEnabled(false);
        m_notifier.release()->deleteLater();
    }
    m_monitor.reset();
    m_udev.reset();
    m_handler = nullptr;
}

void UdevDeviceWatcher::readMonitor() {
    // Takes one device per wake-up; the notifier fires again while more are queued.
    udev_device* device = udev_monitor_receive_device(m_monitor.get());
    if (!device) {
        return;
    }
    DeviceNotice notice;
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    if (action && node && std::strcmp(action, "add") == 0) {
        notice = {DeviceNotice::Kind::Arrival, QString::fromLocal8Bit(node)};
    } else if (action && node && std::strcmp(action, "remove") == 0) {
        notice = {DeviceNotice::Kind::Removal, QString::fromLocal8Bit(node)};
    }
    udev_device_unref(device);
    if (m_handler) {
        const Handler handler = m_handler; // the handler may unregister
        handler(notice);
    }
}
