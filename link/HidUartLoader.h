#pragma once

#include "SLABHIDtoUART.h"

#include <QLibrary>
#include <QString>

#include <memory>

// The fifteen entry points of the HID-to-UART library, in the order they are resolved.
struct HidUartEntryPoints {
    HidUart_GetNumDevices_t GetNumDevices = nullptr;
    HidUart_GetString_t GetString = nullptr;
    HidUart_GetHidGuid_t GetHidGuid = nullptr;
    HidUart_GetOpenedString_t GetOpenedString = nullptr;
    HidUart_Open_t Open = nullptr;
    HidUart_Close_t Close = nullptr;
    HidUart_GetPartNumber_t GetPartNumber = nullptr;
    HidUart_GetUartConfig_t GetUartConfig = nullptr;
    HidUart_SetUartConfig_t SetUartConfig = nullptr;
    HidUart_SetTimeouts_t SetTimeouts = nullptr;
    HidUart_GetPinConfig_t GetPinConfig = nullptr;
    HidUart_IsOpened_t IsOpened = nullptr;
    HidUart_ReadLatch_t ReadLatch = nullptr;
    HidUart_Read_t Read = nullptr;
    HidUart_Write_t Write = nullptr;
};

// Loads the HID-to-UART library from an absolute path and resolves its entry points.
// A library that cannot be loaded or lacks any entry point is unloaded again and
// yields nothing, so no missing entry point can ever be called. GUI thread only.
class HidUartLoader {
public:
    enum class Result { Loaded, FileMissing, LoadFailed, EntryPointMissing };

    // The folder of the running executable followed by the file name.
    static QString pathNextToExecutable(const QString& fileName);

    HidUartLoader() = default;
    ~HidUartLoader();
    HidUartLoader(const HidUartLoader&) = delete;
    HidUartLoader& operator=(const HidUartLoader&) = delete;

    Result load(const QString& path);
    void unload();

    bool loaded() const { return m_library != nullptr; }
    const HidUartEntryPoints& entryPoints() const { return m_entryPoints; }
    // What went wrong in the last load, for the message shown to the user.
    QString errorText() const { return m_errorText; }

private:
    std::unique_ptr<QLibrary> m_library;
    HidUartEntryPoints m_entryPoints;
    QString m_errorText;
};
