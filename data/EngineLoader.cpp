#include "data/EngineLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <mutex>
#include <utility>

#include "component/Exceptions.h"

namespace engineloader {
namespace {

std::string executableFolder() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return {};
    }
    path.resize(static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The one loaded library of the process. Loaded under std::call_once and
// released when static objects are destroyed at process end.
class Library {
public:
    static Library& instance() {
        static Library library;
        return library;
    }

    void setFile(std::string path) {
        std::lock_guard lock(fileMutex_);
        file_ = std::move(path);
    }

    dsengine::CreateObjectFn entryPoint() {
        std::call_once(loadOnce_, [this] { load(); });
        if (!entryPoint_) {
            throw Exception("Error loading libdsengine.so");
        }
        return entryPoint_;
    }

    ~Library() {
        if (handle_) {
            dlclose(handle_);
        }
    }

private:
    Library() = default;

    void load() {
        std::string file;
        {
            std::lock_guard lock(fileMutex_);
            file = file_;
        }
        if (!file.empty()) {
            handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        } else {
            const std::string folder = executableFolder();
            if (!folder.empty()) {
                const std::string beside = folder + "/" + dsengine::kLibraryName;
                handle_ = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
            }
            if (!handle_) {
                handle_ = dlopen(dsengine::kLibraryName, RTLD_NOW | RTLD_LOCAL);
            }
        }
        if (handle_) {
            entryPoint_ = reinterpret_cast<dsengine::CreateObjectFn>(
                dlsym(handle_, dsengine::kEntryPointName));
        }
    }

    std::once_flag loadOnce_;
    std::mutex fileMutex_;
    std::string file_;
    void* handle_ = nullptr;
    dsengine::CreateObjectFn entryPoint_ = nullptr;
};

}  // namespace

dsengine::CreateObjectFn entryPoint() {
    return Library::instance().entryPoint();
}

void useLibraryFile(std::string path) {
    Library::instance().setFile(std::move(path));
}

}  // namespace engineloader
