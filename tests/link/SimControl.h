#pragma once

#include "LoadedLibrary.h"
#include "VelorSimControl.h"

#include <string>

// The control functions of libslabhidtouart-sim, reset to one bridge "SIM0001".
struct SimControl {
    static constexpr const char* fileName = "libslabhidtouart-sim.so";

    SimControl() : library(QString::fromLatin1(fileName)) { reset(); }
    ~SimControl() { reset(); }

    std::string devicePath(const char* serial) const {
        char path[HID_UART_DEVICE_STRLEN] = {};
        library.get<decltype(&VelorSim_DevicePath)>("VelorSim_DevicePath")(serial, path);
        return path;
    }

    LoadedLibrary library;
    decltype(&VelorSim_Reset) reset = library.get<decltype(&VelorSim_Reset)>("VelorSim_Reset");
    decltype(&VelorSim_AddBridge) addBridge =
        library.get<decltype(&VelorSim_AddBridge)>("VelorSim_AddBridge");
    decltype(&VelorSim_PullBridge) pullBridge =
        library.get<decltype(&VelorSim_PullBridge)>("VelorSim_PullBridge");
    decltype(&VelorSim_FailStep) failStep =
        library.get<decltype(&VelorSim_FailStep)>("VelorSim_FailStep");
    decltype(&VelorSim_SetManualClock) setManualClock =
        library.get<decltype(&VelorSim_SetManualClock)>("VelorSim_SetManualClock");
    decltype(&VelorSim_AdvanceClock) advanceClock =
        library.get<decltype(&VelorSim_AdvanceClock)>("VelorSim_AdvanceClock");
    decltype(&VelorSim_SetSource) setSource =
        library.get<decltype(&VelorSim_SetSource)>("VelorSim_SetSource");
    decltype(&VelorSim_FeedBytes) feedBytes =
        library.get<decltype(&VelorSim_FeedBytes)>("VelorSim_FeedBytes");
};
