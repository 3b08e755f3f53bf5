#include "HidUartLibrary.h"

#include "SLABHIDtoUART.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace hidtouart {

HidUartLibrary::HidUartLibrary(std::unique_ptr<HidTransport> transport)
    : m_transport(std::move(transport)) {}

HidUartLibrary::~HidUartLibrary() {
    std::lock_guard lock(m_mutex);
    m_open.clear();
}

void copyDeviceString(const std::string& text, char* buffer) {
    const std::size_t n = std::min<std::size_t>(text.size(), HID_UART_DEVICE_STRLEN - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

std::optional<std::string> deviceString(const HidDeviceInfo& info, std::uint32_t type) {
    auto hex4 = [](std::uint16_t v) {
        char text[8];
        std::snprintf(text, sizeof text, "%04X", v);
        return std::string(text);
    };
    switch (type) {
    case HID_UART_GET_VID_STR:
        return hex4(info.vendorId);
    case HID_UART_GET_PID_STR:
        return hex4(info.productId);
    case HID_UART_GET_PATH_STR:
        if (!info.pathReadable) {
            return std::nullopt;
        }
        return info.path;
    case HID_UART_GET_SERIAL_STR:
        return info.serial;
    case HID_UART_GET_MANUFACTURER_STR:
        return info.manufacturer;
    case HID_UART_GET_PRODUCT_STR:
        return info.product;
    default:
        return std::nullopt;
    }
}

std::vector<HidDeviceInfo> HidUartLibrary::devices(std::uint16_t vid, std::uint16_t pid) {
    std::vector<HidDeviceInfo> found;
    if (vid == 0 && pid == 0) {
        for (std::uint16_t p : {cp2110::cp2110ProductId, cp2110::cp2114ProductId}) {
            auto list = m_transport->enumerate(cp2110::siliconVendorId, p);
            found.insert(found.end(), list.begin(), list.end());
        }
    } else {
        found = m_transport->enumerate(vid, pid);
    }
    // A transport may match loosely; only what was asked for is addressed by index.
    std::erase_if(found, [&](const HidDeviceInfo& d) {
        if (vid == 0 && pid == 0) {
            return d.vendorId != cp2110::siliconVendorId ||
                   (d.productId != cp2110::cp2110ProductId &&
                    d.productId != cp2110::cp2114ProductId);
        }
        return (vid != 0 && d.vendorId != vid) || (pid != 0 && d.productId != pid);
    });
    std::stable_sort(found.begin(), found.end(),
                     [](const HidDeviceInfo& a, const HidDeviceInfo& b) { return a.path < b.path; });
    return found;
}

int HidUartLibrary::getNumDevices(std::uint32_t* count, std::uint16_t vid, std::uint16_t pid) {
    if (!count) {
        return HID_UART_INVALID_PARAMETER;
    }
    std::lock_guard lock(m_mutex);
    *count = static_cast<std::uint32_t>(devices(vid, pid).size());
    return HID_UART_SUCCESS;
}

int HidUartLibrary::getString(std::uint32_t index, std::uint16_t vid, std::uint16_t pid,
                              char* text, std::uint32_t type) {
    if (!text || type < HID_UART_GET_VID_STR || type > HID_UART_GET_PRODUCT_STR) {
        return HID_UART_INVALID_PARAMETER;
    }
    std::optional<std::string> value;
    {
        std::lock_guard lock(m_mutex);
        const auto list = devices(vid, pid);
        if (index >= list.size()) {
            return HID_UART_DEVICE_NOT_FOUND;
        }
        value = deviceString(list[index], type);
    }
    if (!value) {
        return HID_UART_DEVICE_ACCESS_ERROR;
    }
    copyDeviceString(*value, text);
    return HID_UART_SUCCESS;
}

int HidUartLibrary::open(void** handle, std::uint32_t index, std::uint16_t vid,
                         std::uint16_t pid) {
    if (!handle) {
        return HID_UART_INVALID_PARAMETER;
    }
    *handle = nullptr;
    std::lock_guard lock(m_mutex);
    const auto list = devices(vid, pid);
    if (index >= list.size()) {
        return HID_UART_DEVICE_NOT_FOUND;
    }
    std::unique_ptr<Cp2110Device> device;
    const int status = Cp2110Device::open(m_transport->open(list[index].path), list[index], &device);
    if (status != HID_UART_SUCCESS) {
        return status;
    }
    std::shared_ptr<Cp2110Device> shared(std::move(device));
    *handle = shared.get();
    m_open.emplace(shared.get(), std::move(shared));
    return HID_UART_SUCCESS;
}

std::shared_ptr<Cp2110Device> HidUartLibrary::find(void* handle) const {
    std::lock_guard lock(m_mutex);
    const auto it = m_open.find(handle);
    return it == m_open.end() ? nullptr : it->second;
}

int HidUartLibrary::close(void* handle) {
    std::shared_ptr<Cp2110Device> device;
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_open.find(handle);
        if (it == m_open.end()) {
            return HID_UART_INVALID_DEVICE_OBJECT;
        }
        device = std::move(it->second);
        m_open.erase(it);
    }
    return device->close();
}

int HidUartLibrary::isOpened(void* handle, std::int32_t* opened) {
    if (!opened) {
        return HID_UART_INVALID_PARAMETER;
    }
    const auto device = find(handle);
    *opened = device && device->isOpen() ? 1 : 0;
    return device ? HID_UART_SUCCESS : HID_UART_INVALID_DEVICE_OBJECT;
}

int HidUartLibrary::getOpenedString(void* handle, char* text, std::uint32_t type) {
    if (!text || type < HID_UART_GET_VID_STR || type > HID_UART_GET_PRODUCT_STR) {
        return HID_UART_INVALID_PARAMETER;
    }
    const auto device = find(handle);
    if (!device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    // Taken at open: answers even while a read waits, and after the device is pulled.
    const auto value = deviceString(device->info(), type);
    if (!value) {
        return HID_UART_DEVICE_ACCESS_ERROR;
    }
    copyDeviceString(*value, text);
    return HID_UART_SUCCESS;
}

int HidUartLibrary::getPartNumber(void* handle, std::uint8_t* part, std::uint8_t* version) {
    if (!part || !version) {
        return HID_UART_INVALID_PARAMETER;
    }
    const auto device = find(handle);
    if (!device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    cp2110::Version v;
    const int status = device->partNumber(&v);
    *part = v.partNumber;
    *version = v.deviceVersion;
    return status;
}

int HidUartLibrary::setUartConfig(void* handle, std::uint32_t baud, std::uint8_t dataBits,
                                  std::uint8_t parity, std::uint8_t stopBits, std::uint8_t flow) {
    const auto device = find(handle);
    if (!device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    return device->setUartConfig({baud, parity, flow, dataBits, stopBits});
}

int HidUartLibrary::getUartConfig(void* handle, std::uint32_t* baud, std::uint8_t* dataBits,
                                  std::uint8_t* parity, std::uint8_t* stopBits,
                                  std::uint8_t* flow) {
    if (!baud || !dataBits || !parity || !stopBits || !flow) {
        return HID_UART_INVALID_PARAMETER;
    }
    const auto device = find(handle);
    if (!device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    cp2110::UartConfig c;
    const int status = device->uartConfig(&c);
    if (status == HID_UART_SUCCESS) {
        *baud = c.baudRate;
        *dataBits = c.dataBits;
        *parity = c.parity;
        *stopBits = c.stopBits;
        *flow = c.flowControl;
    }
    return status;
}

int HidUartLibrary::setTimeouts(void* handle, std::uint32_t readMs, std::uint32_t writeMs) {
    const auto device = find(handle);
    if (!device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    device->setTimeouts(readMs, writeMs);
    return HID_UART_SUCCESS;
}

int HidUartLibrary::getPinConfig(void* handle, std::uint8_t* pins, std::int32_t* useSuspendValues,
                                 std::uint16_t* suspendValue, std::uint16_t* suspendMode,
                                 std::uint8_t* rs485Level, std::uint8_t* clockDivider) {
    if (!pins || !useSuspendValues || !suspendValue || !suspendMode || !rs485Level ||
        !clockDivider) {
        return HID_UART_INVALID_PARAMETER;
    }
    const auto device = find(handle);
    if (!device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    cp2110::PinConfig c;
    const int status = device->pinConfig(&c);
    if (status == HID_UART_SUCCESS) {
        std::copy(c.modes.begin(), c.modes.end(), pins);
        *useSuspendValues = (c.suspendMode & 0x8000) ? 1 : 0;
        *suspendValue = c.suspendLatch;
        *suspendMode = static_cast<std::uint16_t>(c.suspendMode & 0x7FFF);
        *rs485Level = c.rs485Level;
        *clockDivider = c.clockDivider;
    }
    return status;
}

int HidUartLibrary::readLatch(void* handle, std::uint16_t* latch) {
    if (!latch) {
        return HID_UART_INVALID_PARAMETER;
    }
    const auto device = find(handle);
    if (!device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    return device->readLatch(latch);
}

int HidUartLibrary::read(void* handle, std::uint8_t* buffer, std::uint32_t count,
                         std::uint32_t* read) {
    if (!buffer || !read) {
        return HID_UART_INVALID_PARAMETER;
    }
    *read = 0;
    const auto device = find(handle);
    if (!device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    return device->read(buffer, count, read);
}

int HidUartLibrary::write(void* handle, const std::uint8_t* buffer, std::uint32_t count,
                          std::uint32_t* written) {
    if (!buffer || !written) {
        return HID_UART_INVALID_PARAMETER;
    }
    *written = 0;
    const auto device = find(handle);
    if (!device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    return device->write(buffer, count, written);
}

std::size_t HidUartLibrary::openHandles() const {
    std::lock_guard lock(m_mutex);
    return m_open.size();
}

} // namespace hidtouart
