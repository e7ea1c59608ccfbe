#include "FileDecoder.h"

#include "BassErrorCodes.h"
#include "FileOpenRegistry.h"
#include "ModuleLoader.h"

#include <dlfcn.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

// Present when the decoder's objects are linked into the program (tests, benchmarks); otherwise
// it comes from the module.
extern "C" PcmSource* RbxOpenAudioFile(const char* path, int outputChannels, const std::atomic<bool>* stop,
                                       int* errorCode) __attribute__((weak));

namespace {

constexpr const char* kModuleName = "librbx_decoder.so";

// The module that was loaded, for the start-up probe; empty while none is.
std::string loadedModule;

OpenFunction Load()
{
    if (RbxOpenAudioFile != nullptr) {
        return &RbxOpenAudioFile;
    }
    void* module = LoadProgramModule(kModuleName, "RbxOpenAudioFile", loadedModule);
    return module != nullptr ? reinterpret_cast<OpenFunction>(dlsym(module, "RbxOpenAudioFile")) : nullptr;
}

// Whether loading the decoder has been tried and failed: a file is then refused at once instead
// of going to an opener thread.
std::atomic<bool> decoderMissing{false};

OpenFunction Decoder()
{
    static const OpenFunction open = [] {
        const OpenFunction loaded = Load(); // loaded once; a second caller waits for the first
        decoderMissing.store(loaded == nullptr);
        return loaded;
    }();
    return open;
}

FileOpenRegistry& Opens()
{
    // Never destroyed: its threads wait on it until the process ends.
    static FileOpenRegistry* registry = new FileOpenRegistry(&Decoder);
    return *registry;
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
    return std::unique_ptr<PcmSource>(open(path.c_str(), outputChannels, nullptr, &errorCode));
}

std::unique_ptr<PcmSource> OpenAudioFileWithin(const std::string& path, int outputChannels,
                                               std::chrono::milliseconds maxWait, int& errorCode, bool optional)
{
    if (decoderMissing.load()) {
        errorCode = BassError::Codec;
        return nullptr;
    }
    FileOpenRegistry& opens = Opens();
    std::unique_ptr<PcmSource> source;
    errorCode = BassError::Unknown;
    if (opens.takeFinished(path, outputChannels, source, errorCode)) {
        return source;
    }
    if (opens.recentlyRefused(path)) {
        errorCode = BassError::FileFormat;
        return nullptr;
    }
    const bool slow = maxWait != std::chrono::milliseconds::max() && opens.knownSlow(path);
    if (slow && optional) {
        errorCode = BassError::Busy;
        return nullptr;
    }
    const auto job = opens.start(path, outputChannels);
    if (!job) {
        errorCode = BassError::Memory; // no thread to be had
        return nullptr;
    }
    if (slow) {
        maxWait = std::chrono::milliseconds::zero();
    }
    if (!opens.wait(job, maxWait, source, errorCode)) {
        errorCode = BassError::Busy;
        return nullptr;
    }
    return source;
}

bool AudioFileOpening(const std::string& path)
{
    return Opens().opening(path);
}

void SetAudioFileOpenedListener(std::function<void()> listener)
{
    Opens().setListener(std::move(listener));
}

void SetAudioFileOpenGate(std::function<void()> gate)
{
    Opens().setGate(std::move(gate));
}
