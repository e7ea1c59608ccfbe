// The entry points of the output module (OutputBackend.h): the sound server's output, the
// PortAudio probe and PortAudio's outputs.
#include "audio/PortAudioOutput.h"
#include "audio/PulseOutput.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

namespace {
void QuietAlsa(const char*, int, const char*, int, const char*, ...)
{}

// Probing the host APIs makes ALSA and JACK write to stderr directly; keep it off while it runs.
class StderrSilencer
{
public:
    StderrSilencer()
    {
        saved_ = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        if (null >= 0) {
            close(null);
        }
    }
    ~StderrSilencer()
    {
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    StderrSilencer(const StderrSilencer&) = delete;
    StderrSilencer& operator=(const StderrSilencer&) = delete;

private:
    int saved_ = -1;
};
} // namespace

extern "C" OutputDevice* RbxOutputOpenSoundServer(int rate, int channels, const OutputDevice::Render* render)
{
    auto output = std::make_unique<PulseOutput>(rate, channels, *render);
    return output->open() ? output.release() : nullptr;
}

extern "C" bool RbxOutputProbePortAudio(std::vector<std::string>* names, std::vector<int>* indices)
{
    snd_lib_error_set_handler(&QuietAlsa);
    {
        StderrSilencer quiet;
        if (Pa_Initialize() != paNoError) {
            return false;
        }
    }
    const PaDeviceIndex defaultOutput = Pa_GetDefaultOutputDevice();
    if (defaultOutput != paNoDevice) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(defaultOutput);
        names->push_back(info != nullptr && info->name != nullptr ? info->name : "Default");
        indices->push_back(defaultOutput);
    }
    const PaDeviceIndex count = Pa_GetDeviceCount();
    for (PaDeviceIndex i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (i == defaultOutput || info == nullptr || info->maxOutputChannels <= 0) {
            continue;
        }
        names->push_back(info->name != nullptr ? info->name : "Output");
        indices->push_back(i);
    }
    return true;
}

extern "C" void RbxOutputTerminatePortAudio()
{
    Pa_Terminate();
}

extern "C" OutputDevice* RbxOutputOpenPortAudio(int rate, int channels, const OutputDevice::Render* render,
                                                int index)
{
    auto output = std::make_unique<PortAudioOutput>(rate, channels, *render);
    return output->open(index) ? output.release() : nullptr;
}
