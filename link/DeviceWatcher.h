#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

// One notice about the devices of the machine.
struct DeviceNotice {
    enum class Kind { Arrival, Removal, Other };
    Kind kind = Kind::Other;
    QString path; // the interface path of an arrival or removal (hidraw devnode on Linux)
};

// What the link registers for: device interfaces of one class.
struct DeviceInterfaceFilter {
    std::uint32_t size = 32;
    std::uint32_t deviceType = 5; // device interface
    std::uint32_t reserved = 0;
    std::array<std::uint8_t, 16> classGuid{};
};

// Tells the link about devices plugged in and pulled out: arrival and removal of a
// device interface with its path, and any other device change. Notices are delivered
// on the GUI thread, one at a time, to the handler given at registration.
class DeviceWatcher {
public:
    using Handler = std::function<void(const DeviceNotice&)>;

    virtual ~DeviceWatcher() = default;
    // Starts delivering notices; false when the platform refused the registration.
    virtual bool registerNotifications(const DeviceInterfaceFilter& filter, Handler handler) = 0;
    virtual void unregisterNotifications() = 0;
};
