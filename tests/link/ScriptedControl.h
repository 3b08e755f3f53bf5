#pragma once

#include "LoadedLibrary.h"
#include "scripted/ScriptedHidUart.h"

#include <string>

// The control functions of one scripted library file, reset on creation.
struct ScriptedControl {
    static constexpr const char* fileName = "libvelor-scripted-hiduart.so";
    static constexpr const char* noWriteFileName = "libvelor-scripted-hiduart-nowrite.so";

    explicit ScriptedControl(const char* file = fileName) : library(QString::fromLatin1(file)) {
        reset();
    }

    std::string callLog() const {
        char text[8192];
        library.get<decltype(&Scripted_CallLog)>("Scripted_CallLog")(text, sizeof text);
        return text;
    }

    LoadedLibrary library;
    decltype(&Scripted_Reset) reset = library.get<decltype(&Scripted_Reset)>("Scripted_Reset");
    decltype(&Scripted_AddDevice) addDevice =
        library.get<decltype(&Scripted_AddDevice)>("Scripted_AddDevice");
    decltype(&Scripted_RemoveDevice) removeDevice =
        library.get<decltype(&Scripted_RemoveDevice)>("Scripted_RemoveDevice");
    decltype(&Scripted_SetStatus) setStatus =
        library.get<decltype(&Scripted_SetStatus)>("Scripted_SetStatus");
    decltype(&Scripted_SetNumDevicesStatus) setNumDevicesStatus =
        library.get<decltype(&Scripted_SetNumDevicesStatus)>("Scripted_SetNumDevicesStatus");
    decltype(&Scripted_SetReadbackBaud) setReadbackBaud =
        library.get<decltype(&Scripted_SetReadbackBaud)>("Scripted_SetReadbackBaud");
    decltype(&Scripted_QueueRead) queueRead =
        library.get<decltype(&Scripted_QueueRead)>("Scripted_QueueRead");
    decltype(&Scripted_LastUartConfig) lastUartConfig =
        library.get<decltype(&Scripted_LastUartConfig)>("Scripted_LastUartConfig");
    decltype(&Scripted_HoldReads) holdReads =
        library.get<decltype(&Scripted_HoldReads)>("Scripted_HoldReads");
    decltype(&Scripted_ReadCalls) readCalls =
        library.get<decltype(&Scripted_ReadCalls)>("Scripted_ReadCalls");
    decltype(&Scripted_LastDataReadNs) lastDataReadNs =
        library.get<decltype(&Scripted_LastDataReadNs)>("Scripted_LastDataReadNs");
    decltype(&Scripted_QueuedReads) queuedReads =
        library.get<decltype(&Scripted_QueuedReads)>("Scripted_QueuedReads");
    decltype(&Scripted_OpenHandles) openHandles =
        library.get<decltype(&Scripted_OpenHandles)>("Scripted_OpenHandles");
    decltype(&Scripted_ClearLog) clearLog =
        library.get<decltype(&Scripted_ClearLog)>("Scripted_ClearLog");
};
