#include "audio/DeviceCatalog.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

#include <cstdlib>

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

DeviceCatalog& DeviceCatalog::instance()
{
    static DeviceCatalog catalog;
    return catalog;
}

DeviceCatalog::~DeviceCatalog()
{
    if (helper_.joinable()) {
        helper_.join();
    }
    if (ready_) {
        Pa_Terminate();
    }
}

void DeviceCatalog::SetQuietEnvironment()
{
    setenv("JACK_NO_START_SERVER", "1", 0);
    setenv("JACK_NO_AUDIO_RESERVATION", "1", 0);
}

void DeviceCatalog::PrepareInBackground()
{
    if (background_) {
        return;
    }
    background_ = true;
    SetQuietEnvironment();
    helper_ = std::thread([this] { load(); });
}

void DeviceCatalog::load()
{
    // A second caller waits here until the first caller's probe has finished.
    std::call_once(once_, [this] { probe(); });
}

void DeviceCatalog::probe()
{
    names_.push_back("No sound");
    indices_.push_back(-1);
    snd_lib_error_set_handler(&QuietAlsa);
    if (!background_) {
        SetQuietEnvironment(); // on the GUI thread: nothing else reads the environment now
    }
    {
        StderrSilencer quiet;
        ready_ = Pa_Initialize() == paNoError;
    }
    if (!ready_) {
        return;
    }
    const PaDeviceIndex defaultOutput = Pa_GetDefaultOutputDevice();
    if (defaultOutput != paNoDevice) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(defaultOutput);
        names_.push_back(info != nullptr && info->name != nullptr ? info->name : "Default");
        indices_.push_back(defaultOutput);
    }
    const PaDeviceIndex count = Pa_GetDeviceCount();
    for (PaDeviceIndex i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (i == defaultOutput || info == nullptr || info->maxOutputChannels <= 0) {
            continue;
        }
        names_.push_back(info->name != nullptr ? info->name : "Output");
        indices_.push_back(i);
    }
}

const char* DeviceCatalog::description(int device)
{
    if (device > 0) {
        load();
    }
    if (device == 0) {
        return "No sound";
    }
    if (device < 0 || device >= static_cast<int>(names_.size())) {
        return nullptr;
    }
    return names_[static_cast<std::size_t>(device)].c_str();
}

int DeviceCatalog::portAudioIndex(int device)
{
    load();
    if (device <= 0 || device >= static_cast<int>(indices_.size())) {
        return -1;
    }
    return indices_[static_cast<std::size_t>(device)];
}

bool DeviceCatalog::portAudioReady()
{
    load();
    return ready_;
}
