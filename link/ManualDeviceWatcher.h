#pragma once

#include "DeviceWatcher.h"

#include <optional>

// A watcher driven by hand: tests and simulated set-ups call arrive(), remove() and
// change() on the GUI thread where the platform would notify.
class ManualDeviceWatcher : public DeviceWatcher {
public:
    bool registerNotifications(const DeviceInterfaceFilter& filter, Handler handler) override;
    void unregisterNotifications() override;

    void arrive(const QString& path) { deliver({DeviceNotice::Kind::Arrival, path}); }
    void remove(const QString& path) { deliver({DeviceNotice::Kind::Removal, path}); }
    void change() { deliver({DeviceNotice::Kind::Other, {}}); }
    void deliver(const DeviceNotice& notice);

    bool registered() const { return static_cast<bool>(m_handler); }
    // The filter of the last registration.
    const std::optional<DeviceInterfaceFilter>& filter() const { return m_filter; }
    int registrations() const { return m_registrations; }

private:
    Handler m_handler;
    std::optional<DeviceInterfaceFilter> m_filter;
    int m_registrations = 0;
};
