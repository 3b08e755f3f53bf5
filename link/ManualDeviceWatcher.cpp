#include "ManualDeviceWatcher.h"

bool ManualDeviceWatcher::registerNotifications(const DeviceInterfaceFilter& filter,
                                                Handler handler) {
    m_filter = filter;
    m_handler = std::move(handler);
    ++m_registrations;
    return true;
}

void ManualDeviceWatcher::unregisterNotifications() {
    m_handler = nullptr;
}

void ManualDeviceWatcher::deliver(const DeviceNotice& notice) {
    if (m_handler) {
        m_handler(notice);
    }
}
