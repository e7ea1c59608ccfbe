#include "audio/ModuleLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <vector>

#ifndef RBX_MODULE_FROM_BIN
#define RBX_MODULE_FROM_BIN "../lib/rallybox"
#endif

namespace {
std::string ExecutableFolder()
{
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) {
        return {};
    }
    const std::string path(exe, static_cast<std::size_t>(n));
    return path.substr(0, path.find_last_of('/') + 1);
}
} // namespace

void* LoadProgramModule(const char* fileName, const char* entry, std::string& loadedFrom)
{
    const std::string folder = ExecutableFolder();
    std::vector<std::string> candidates;
    if (!folder.empty()) {
        candidates = {folder + fileName, folder + RBX_MODULE_FROM_BIN + "/" + fileName};
    }
    candidates.emplace_back(fileName);
    for (const std::string& candidate : candidates) {
        if (void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            if (dlsym(module, entry) != nullptr) {
                loadedFrom = candidate;
                return module;
            }
            dlclose(module);
        }
    }
    return nullptr;
}
