#pragma once

#include "ManualDeviceWatcher.h"
#include "uCP2110.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Records every event of a TCP2110: a readable log of their order ("Removal",
// "Disconnect", "DeviceChange connected=0", …) and the bytes received.
struct LinkProbe {
    void attach(TCP2110* link) {
        link->OnArrival = [this](QObject*) { log.push_back("Arrival"); };
        link->OnRemoval = [this, link](QObject*) {
            log.push_back(std::string("Removal connected=") + (link->Connected() ? "1" : "0"));
        };
        link->OnConnect = [this](QObject*) { log.push_back("Connect"); };
        link->OnDisconnect = [this](QObject* sender) {
            log.push_back(sender ? "Disconnect sender" : "Disconnect");
        };
        link->OnDeviceChange = [this, link](QObject*) {
            log.push_back(std::string("DeviceChange connected=") + (link->Connected() ? "1" : "0"));
        };
        link->OnError = [this](QObject*, std::uint32_t code, const QString& message) {
            log.push_back("Error " + std::to_string(code) + (message.isEmpty() ? "" : " msg"));
        };
        link->OnReceiveData = [this](QObject*, const std::uint8_t* data, std::uint32_t n) {
            ++batches;
            bytes.insert(bytes.end(), data, data + n);
            sizes.push_back(n);
        };
    }

    std::vector<std::string> log;
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint32_t> sizes;
    int batches = 0;
};

// Runs the event loop until the condition holds or the time is up; true if it holds.
template <typename Pred> bool pumpUntil(Pred pred, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

inline void pumpFor(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

// A link over a library next to the executable, with a manual watcher and the
// system messages collected.
struct TestLink {
    explicit TestLink(const char* libraryFile) {
        auto manual = std::make_unique<ManualDeviceWatcher>();
        watcher = manual.get();
        TCP2110::Options options;
        options.libraryFileName = QString::fromLatin1(libraryFile);
        options.watcher = std::move(manual);
        options.systemError = [this](const QString& text) { messages.push_back(text); };
        link = std::make_unique<TCP2110>(nullptr, std::move(options));
        probe.attach(link.get());
    }

    ManualDeviceWatcher* watcher;
    std::vector<QString> messages;
    std::unique_ptr<TCP2110> link;
    LinkProbe probe;
};
