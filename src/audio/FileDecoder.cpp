#include "FileDecoder.h"

#include "BassErrorCodes.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <thread>

// Present when the decoder's objects are linked into the program (tests, benchmarks); otherwise
// it comes from the module.
extern "C" PcmSource* RbxOpenAudioFile(const char* path, int outputChannels, int* errorCode)
    __attribute__((weak));

namespace {
using OpenFunction = PcmSource* (*)(const char*, int, int*);

constexpr const char* kModuleName = "librbx_decoder.so";

std::string ModuleBesideProgram()
{
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) {
        return kModuleName;
    }
    std::string path(exe, static_cast<std::size_t>(n));
    return path.substr(0, path.find_last_of('/') + 1) + kModuleName;
}

OpenFunction Load()
{
    if (RbxOpenAudioFile != nullptr) {
        return &RbxOpenAudioFile;
    }
    void* module = dlopen(ModuleBesideProgram().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        module = dlopen(kModuleName, RTLD_NOW | RTLD_LOCAL); // the library path's, if installed so
    }
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<OpenFunction>(dlsym(module, "RbxOpenAudioFile"));
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
