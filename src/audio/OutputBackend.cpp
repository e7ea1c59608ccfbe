#include "audio/OutputBackend.h"

#include "audio/ModuleLoader.h"

#include <dlfcn.h>

#include <thread>

// Present when the module's objects are linked into the program (tests, benchmarks); otherwise
// they come from the module.
extern "C" OutputDevice* RbxOutputOpenSoundServer(int rate, int channels, const OutputDevice::Render* render)
    __attribute__((weak));
extern "C" bool RbxOutputProbePortAudio(std::vector<std::string>* names, std::vector<int>* indices)
    __attribute__((weak));
extern "C" void RbxOutputTerminatePortAudio() __attribute__((weak));
extern "C" OutputDevice* RbxOutputOpenPortAudio(int rate, int channels, const OutputDevice::Render* render, int index)
    __attribute__((weak));

namespace OutputBackend {

namespace {

constexpr const char* kModuleName = "librbx_output.so";

struct Entries
{
    decltype(&RbxOutputOpenSoundServer) openSoundServer = nullptr;
    decltype(&RbxOutputProbePortAudio) probePortAudio = nullptr;
    decltype(&RbxOutputTerminatePortAudio) terminatePortAudio = nullptr;
    decltype(&RbxOutputOpenPortAudio) openPortAudio = nullptr;
    std::string file;
    bool complete() const
    {
        return openSoundServer != nullptr && probePortAudio != nullptr && terminatePortAudio != nullptr &&
               openPortAudio != nullptr;
    }
};

template <typename F>
F Entry(void* module, const char* name)
{
    return reinterpret_cast<F>(dlsym(module, name));
}

Entries Load()
{
    if (RbxOutputOpenSoundServer != nullptr) {
        return {&RbxOutputOpenSoundServer, &RbxOutputProbePortAudio, &RbxOutputTerminatePortAudio,
                &RbxOutputOpenPortAudio, {}};
    }
    Entries entries;
    void* module = LoadProgramModule(kModuleName, "RbxOutputOpenSoundServer", entries.file);
    if (module == nullptr) {
        return {};
    }
    entries.openSoundServer = Entry<decltype(entries.openSoundServer)>(module, "RbxOutputOpenSoundServer");
    entries.probePortAudio = Entry<decltype(entries.probePortAudio)>(module, "RbxOutputProbePortAudio");
    entries.terminatePortAudio = Entry<decltype(entries.terminatePortAudio)>(module, "RbxOutputTerminatePortAudio");
    entries.openPortAudio = Entry<decltype(entries.openPortAudio)>(module, "RbxOutputOpenPortAudio");
    return entries.complete() ? entries : Entries{};
}

const Entries& Module()
{
    static const Entries entries = Load(); // loaded once; a second caller waits for the first
    return entries;
}

} // namespace

void PrepareInBackground()
{
    std::thread([] { Module(); }).detach();
}

std::string ModuleFile()
{
    return Module().file;
}

std::unique_ptr<OutputDevice> OpenSoundServer(int rate, int channels, OutputDevice::Render render)
{
    if (Module().openSoundServer == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<OutputDevice>(Module().openSoundServer(rate, channels, &render));
}

PortAudioOutputs ProbePortAudio()
{
    PortAudioOutputs outputs;
    if (Module().probePortAudio != nullptr) {
        outputs.ready = Module().probePortAudio(&outputs.names, &outputs.indices);
    }
    return outputs;
}

void TerminatePortAudio()
{
    if (Module().terminatePortAudio != nullptr) {
        Module().terminatePortAudio();
    }
}

std::unique_ptr<OutputDevice> OpenPortAudio(int rate, int channels, OutputDevice::Render render, int index)
{
    if (Module().openPortAudio == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<OutputDevice>(Module().openPortAudio(rate, channels, &render, index));
}

} // namespace OutputBackend
