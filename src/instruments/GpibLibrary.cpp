#include "instruments/GpibLibrary.h"

#include <QByteArray>
#include <QtGlobal>

#include <dlfcn.h>

#include <cstdio>
#include <optional>

namespace XQTestDev {

namespace {

constexpr const char* DefaultLibrary = "libgpib.so.0";

template <typename Function>
bool resolve(void* handle, Function& target, const char* name, const char* alternative = nullptr) {
    void* symbol = dlsym(handle, name);
    if (!symbol && alternative)
        symbol = dlsym(handle, alternative);
    target = reinterpret_cast<Function>(symbol);
    return symbol != nullptr;
}

const char* firstMissing(void* handle, GpibFunctions& f) {
    if (!resolve(handle, f.ibdev, "ibdev"))
        return "ibdev";
    if (!resolve(handle, f.ibfind, "ibfind", "ibfindA"))
        return "ibfind";
    if (!resolve(handle, f.ibwrt, "ibwrt"))
        return "ibwrt";
    if (!resolve(handle, f.ibwrtf, "ibwrtf", "ibwrtfA"))
        return "ibwrtf";
    if (!resolve(handle, f.ibrd, "ibrd"))
        return "ibrd";
    if (!resolve(handle, f.SendIFC, "SendIFC"))
        return "SendIFC";
    if (!resolve(handle, f.FindLstn, "FindLstn"))
        return "FindLstn";
    if (!resolve(handle, f.SendList, "SendList"))
        return "SendList";
    if (!resolve(handle, f.Receive, "Receive"))
        return "Receive";
    if (!resolve(handle, f.DevClearList, "DevClearList"))
        return "DevClearList";
    if (!resolve(handle, f.ThreadIbsta, "ThreadIbsta"))
        return "ThreadIbsta";
    if (!resolve(handle, f.ThreadIberr, "ThreadIberr"))
        return "ThreadIberr";
    if (!resolve(handle, f.ThreadIbcnt, "ThreadIbcnt"))
        return "ThreadIbcnt";
    if (!resolve(handle, f.ThreadIbcntl, "ThreadIbcntl"))
        return "ThreadIbcntl";
    resolve(handle, f.ibclr, "ibclr");
    // Only both of the pair make a binding.
    if (resolve(handle, f.RegisterGpibGlobalsForThread, "RegisterGpibGlobalsForThread") !=
        resolve(handle, f.UnregisterGpibGlobalsForThread, "UnregisterGpibGlobalsForThread")) {
        f.RegisterGpibGlobalsForThread = nullptr;
        f.UnregisterGpibGlobalsForThread = nullptr;
    }
    return nullptr;
}

std::optional<GpibFunctions> load() {
    const QByteArray configured = qgetenv("XQ_GPIB_LIBRARY");
    const QByteArray path = configured.isEmpty() ? QByteArray(DefaultLibrary) : configured;
    void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "XQTestDev: cannot load the GPIB driver %s: %s\n", path.constData(),
                     dlerror());
        return std::nullopt;
    }
    GpibFunctions functions;
    if (const char* missing = firstMissing(handle, functions)) {
        std::fprintf(stderr, "XQTestDev: %s is no GPIB driver: it lacks %s\n", path.constData(),
                     missing);
        dlclose(handle);
        return std::nullopt;
    }
    return functions;
}

} // namespace

const GpibFunctions* gpibFunctions() {
    // Loaded at the first driver call, never when the library itself loads.
    static const std::optional<GpibFunctions> loaded = load();
    return loaded ? &*loaded : nullptr;
}

} // namespace XQTestDev
