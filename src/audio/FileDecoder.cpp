#include "FileDecoder.h"

#include "BassErrorCodes.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <thread>
#include <vector>

// Present when the decoder's objects are linked into the program (tests, benchmarks); otherwise
// it comes from the module.
extern "C" PcmSource* RbxOpenAudioFile(const char* path, int outputChannels, int* errorCode)
    __attribute__((weak));

namespace {
using OpenFunction = PcmSource* (*)(const char*, int, int*);

constexpr const char* kModuleName = "librbx_decoder.so";

#ifndef RBX_MODULE_FROM_BIN
#define RBX_MODULE_FROM_BIN "../lib/rallybox"
#endif

// The module that was loaded, for the start-up probe; empty while none is.
std::string loadedModule;

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

OpenFunction Load()
{
    if (RbxOpenAudioFile != nullptr) {
        return &RbxOpenAudioFile;
    }
    // Beside the program (a build, or a copy with its module), then where the installation put
    // it (<prefix>/lib/.../rallybox for <prefix>/bin), then the library path's.
    // Without the executable's path no relative candidate is tried: the working directory is
    // no place to load code from.
    const std::string folder = ExecutableFolder();
    std::vector<std::string> candidates;
    if (!folder.empty()) {
        candidates = {folder + kModuleName, folder + RBX_MODULE_FROM_BIN + "/" + kModuleName};
    }
    candidates.emplace_back(kModuleName);
    for (const std::string& candidate : candidates) {
        if (void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            if (auto open = reinterpret_cast<OpenFunction>(dlsym(module, "RbxOpenAudioFile"))) {
                loadedModule = candidate;
                return open;
            }
            dlclose(module);
        }
    }
    return nullptr;
}

OpenFunction Decoder()
{
    static const OpenFunction open = Load(); // loaded once; a second caller waits for the first
    return open;
}
} // namespace

bool AudioFileDecoderAvailable()
{
    return Decoder() != nullptr;
}

std::string AudioFileDecoderModule()
{
    return Decoder() != nullptr ? loadedModule : std::string();
}

void PrepareAudioFileDecoder()
{
    std::thread([] { Decoder(); }).detach();
}

std::unique_ptr<PcmSource> OpenAudioFile(const std::string& path, int outputChannels, int& errorCode)
{
    const OpenFunction open = Decoder();
    if (open == nullptr) {
        errorCode = BassError::Codec;
        return nullptr;
    }
    errorCode = BassError::Unknown;
    return std::unique_ptr<PcmSource>(open(path.c_str(), outputChannels, &errorCode));
}
