#include "app/Startup.h"

#include <dlfcn.h>

namespace {

// Where the start-up failed, as an offset into the module that holds the
// start-up code: the return address of the call that creates the window, so
// that `addr2line -e <program> <address>` names the line in runMainWindow.
std::uintptr_t moduleOffset(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || !info.dli_fbase) {
        return 0;
    }
    return reinterpret_cast<std::uintptr_t>(address) -
           reinterpret_cast<std::uintptr_t>(info.dli_fbase);
}

[[gnu::noinline]] std::unique_ptr<QWidget> createMainWindow(const MainWindowFactory& createWindow,
                                                            const void*& returnAddress) {
    returnAddress = __builtin_return_address(0);
    return createWindow();
}

}  // namespace

int runMainWindow(TApplication& application, const MainWindowFactory& createWindow) {
    std::unique_ptr<QWidget> window;
    const void* startupSite = nullptr;
    try {
        window = createMainWindow(createWindow, startupSite);
    } catch (const std::exception& error) {
        application.showStartupFailure(error, moduleOffset(startupSite));
        return 1;
    }
    window->show();
    const int exitCode = application.exec();
    // The window, its components and the record set go before the
    // application object; a record still being edited is dropped unsaved.
    window.reset();
    return exitCode;
}
