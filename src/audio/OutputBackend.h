#pragma once

#include "audio/OutputDevice.h"

#include <memory>
#include <string>
#include <vector>

// The real outputs: the sound server's client library (PulseOutput) and PortAudio with ALSA and
// JACK (PortAudioOutput, the device list). Together with the libraries they pull in (about twenty)
// they cost the start several ms before main() and in the application object's plug-in loading,
// so the program loads them from the module librbx_output.so beside it, on a helper thread started
// at the top of main(); the engine's start in the create step waits for that load (it is done by
// then). Test and benchmark programs link the module's objects directly.
namespace OutputBackend {

struct PortAudioOutputs
{
    bool ready = false; // PortAudio loaded and started
    std::vector<std::string> names;
    std::vector<int> indices; // PortAudio's index of each name
};

// Starts loading the module on a helper thread; the calls below wait for it.
void PrepareInBackground();
// The module file the outputs were loaded from (loading it now if need be); empty when they are
// linked into the program or cannot be loaded.
std::string ModuleFile();

// The default output straight on the sound server; null when no server answers (or the module
// is missing).
std::unique_ptr<OutputDevice> OpenSoundServer(int rate, int channels, OutputDevice::Render render);
// Starts PortAudio and lists its outputs, the default output first. Once per run; ALSA's and
// JACK's complaints while probing are kept off stderr.
PortAudioOutputs ProbePortAudio();
// Ends PortAudio after a successful probe.
void TerminatePortAudio();
// An output on PortAudio's device `index`; null when it cannot be opened.
std::unique_ptr<OutputDevice> OpenPortAudio(int rate, int channels, OutputDevice::Render render, int index);

} // namespace OutputBackend
