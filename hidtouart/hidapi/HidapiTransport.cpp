#include "HidapiTransport.h"

#include <hidapi/hidapi.h>

#include <algorithm>

namespace hidtouart {

namespace {

struct HidCloser {
    void operator()(hid_device* d) const { hid_close(d); }
};
using HidHandle = std::unique_ptr<hid_device, HidCloser>;

struct EnumerationFree {
    void operator()(hid_device_info* list) const { hid_free_enumeration(list); }
};

class HidapiDevice : public HidDevice {
public:
    explicit HidapiDevice(HidHandle device) : m_device(std::move(device)) {}

    int getFeatureReport(std::uint8_t* data, std::size_t length) override {
        return hid_get_feature_report(m_device.get(), data, length);
    }
    int sendFeatureReport(const std::uint8_t* data, std::size_t length) override {
        return hid_send_feature_report(m_device.get(), data, length);
    }
    int readReport(std::uint8_t* data, std::size_t length, int timeoutMs) override {
        return hid_read_timeout(m_device.get(), data, length, timeoutMs);
    }
    int writeReport(const std::uint8_t* data, std::size_t length) override {
        return hid_write(m_device.get(), data, length);
    }

private:
    HidHandle m_device;
};

void appendUtf8(std::string* out, char32_t c) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        c = 0xFFFD;
    }
    if (c < 0x80) {
        out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (c >> 6)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (c >> 12)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (c >> 18)));
        out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

std::optional<std::string> wideToUtf8(const wchar_t* text, std::size_t maxChars) {
    if (!text) {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 0; i < maxChars && text[i] != L'\0'; ++i) {
        appendUtf8(&out, static_cast<char32_t>(text[i]));
    }
    return out;
}

HidapiTransport::HidapiTransport() : m_initialised(hid_init() == 0) {}

HidapiTransport::~HidapiTransport() {
    if (m_initialised) {
        hid_exit();
    }
}

std::vector<HidDeviceInfo> HidapiTransport::enumerate(std::uint16_t vendorId,
                                                      std::uint16_t productId) {
    std::vector<HidDeviceInfo> list;
    if (!m_initialised) {
        return list;
    }
    std::unique_ptr<hid_device_info, EnumerationFree> found(hid_enumerate(vendorId, productId));
    for (const hid_device_info* d = found.get(); d; d = d->next) {
        if (!d->path) {
            continue;
        }
        HidDeviceInfo info;
        info.path = d->path;
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.serial = wideToUtf8(d->serial_number);
        info.manufacturer = wideToUtf8(d->manufacturer_string);
        info.product = wideToUtf8(d->product_string);
        list.push_back(std::move(info));
    }
    std::sort(list.begin(), list.end(),
              [](const HidDeviceInfo& a, const HidDeviceInfo& b) { return a.path < b.path; });
    return list;
}

std::unique_ptr<HidDevice> HidapiTransport::open(const std::string& path) {
    if (!m_initialised) {
        return nullptr;
    }
    HidHandle device(hid_open_path(path.c_str()));
    if (!device) {
        return nullptr;
    }
    return std::make_unique<HidapiDevice>(std::move(device));
}

} // namespace hidtouart
