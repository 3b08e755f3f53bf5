#include "HidUartLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// Resolves one name into a typed pointer; false when the library lacks it.
template <typename Fn> bool resolveInto(QLibrary& library, const char* name, Fn* target) {
    *target = reinterpret_cast<Fn>(library.resolve(name));
    return *target != nullptr;
}

} // namespace

QString HidUartLoader::pathNextToExecutable(const QString& fileName) {
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(fileName);
}

HidUartLoader::~HidUartLoader() {
    unload();
}

HidUartLoader::Result HidUartLoader::load(const QString& path) {
    unload();
    m_errorText.clear();
    if (!QFileInfo::exists(path)) {
        m_errorText = path;
        return Result::FileMissing;
    }
    auto library = std::make_unique<QLibrary>(path);
    if (!library->load()) {
        m_errorText = library->errorString();
        return Result::LoadFailed;
    }
    HidUartEntryPoints e;
    const char* missing = nullptr;
    const auto need = [&](const char* name, auto* target) {
        if (!missing && !resolveInto(*library, name, target)) {
            missing = name;
        }
    };
    need("HidUart_GetNumDevices", &e.GetNumDevices);
    need("HidUart_GetString", &e.GetString);
    need("HidUart_GetHidGuid", &e.GetHidGuid);
    need("HidUart_GetOpenedString", &e.GetOpenedString);
    need("HidUart_Open", &e.Open);
    need("HidUart_Close", &e.Close);
    need("HidUart_GetPartNumber", &e.GetPartNumber);
    need("HidUart_GetUartConfig", &e.GetUartConfig);
    need("HidUart_SetUartConfig", &e.SetUartConfig);
    need("HidUart_SetTimeouts", &e.SetTimeouts);
    need("HidUart_GetPinConfig", &e.GetPinConfig);
    need("HidUart_IsOpened", &e.IsOpened);
    need("HidUart_ReadLatch", &e.ReadLatch);
    need("HidUart_Read", &e.Read);
    need("HidUart_Write", &e.Write);
    if (missing) {
        m_errorText = QString::fromLatin1(missing);
        library->unload();
        return Result::EntryPointMissing;
    }
    m_entryPoints = e;
    m_library = std::move(library);
    return Result::Loaded;
}

void HidUartLoader::unload() {
    m_entryPoints = HidUartEntryPoints{};
    if (m_library) {
        m_library->unload();
        m_library.reset();
    }
}
