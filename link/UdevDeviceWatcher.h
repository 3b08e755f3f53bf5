#pragma once

#include "DeviceWatcher.h"

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// The Linux watcher: a udev monitor on the "hidraw" subsystem, its socket watched on
// the GUI thread. "add" is an arrival and "remove" a removal, each with the devnode
// (/dev/hidrawN, also the HID library's device path); any other action is a plain
// device change. The class GUID of the filter has no meaning here: hidraw nodes are
// HID interfaces already. GUI thread only.
class UdevDeviceWatcher : public DeviceWatcher {
public:
    UdevDeviceWatcher();
    ~UdevDeviceWatcher() override;

    bool registerNotifications(const DeviceInterfaceFilter& filter, Handler handler) override;
    void unregisterNotifications() override;

private:
    void readMonitor();

    struct UdevDeleter {
        void operator()(udev* u) const;
        void operator()(udev_monitor* m) const;
    };

    std::unique_ptr<udev, UdevDeleter> m_udev;
    std::unique_ptr<udev_monitor, UdevDeleter> m_monitor;
    std::unique_ptr<QSocketNotifier> m_notifier;
    Handler m_handler;
};
