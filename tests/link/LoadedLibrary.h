#pragma once

#include "HidUartLoader.h"

#include <QString>

#include <dlfcn.h>

#include <stdexcept>
#include <string>

// A library next to the test executable, opened once more to reach its control
// functions; the link's own load of the same path shares its state.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const QString& fileName)
        : m_path(HidUartLoader::pathNextToExecutable(fileName)),
          m_handle(dlopen(m_path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL)) {
        if (!m_handle) {
            throw std::runtime_error(std::string("cannot open ") + qPrintable(m_path));
        }
    }
    ~LoadedLibrary() { dlclose(m_handle); }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    template <typename Fn> Fn get(const char* name) const {
        void* symbol = dlsym(m_handle, name);
        if (!symbol) {
            throw std::runtime_error(std::string("no symbol ") + name);
        }
        return reinterpret_cast<Fn>(symbol);
    }

private:
    QString m_path;
    void* m_handle;
};
