#include "audio/PortAudioOutput.h"

#include "audio/ThreadPriority.h"

#include <pa_linux_alsa.h>
#include <portaudio.h>

#include <dirent.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {
// The sound server's ALSA plug-in moves our sound to the server from a thread of its own
// ("threaded-ml"). Left at normal priority on a busy machine it delivers late and the server
// runs dry, however punctual our callback is: it gets the callback's raised priority too.
void RaiseSoundServerThreads()
{
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(tasks)) {
        const std::string tid = entry->d_name;
        if (tid.empty() || tid[0] == '.') {
            continue;
        }
        std::ifstream comm("/proc/self/task/" + tid + "/comm");
        std::string name;
        std::getline(comm, name);
        if (name == "threaded-ml") {
            ThreadPriority::Raise(static_cast<pid_t>(std::strtol(tid.c_str(), nullptr, 10)));
        }
    }
    closedir(tasks);
}
} // namespace

PortAudioOutput::PortAudioOutput(int rate, int channels, Render render)
    : rate_(rate), channels_(channels), render_(std::move(render)),
      idle_(OutputIdle::ParkAfterFrames(rate, kIdleMs))
{}

PortAudioOutput::~PortAudioOutput()
{
    stop();
    if (stream_ != nullptr) {
        Pa_CloseStream(stream_);
    }
}

int PortAudioOutput::Callback(const void*, void* output, unsigned long frames, const void*, unsigned long,
                              void* self)
{
    auto* device = static_cast<PortAudioOutput*>(self);
    const std::uint64_t ticket = device->idle_.periodStart();
    const bool sounding = device->render_(static_cast<float*>(output), static_cast<int>(frames));
    // Abort, not complete: all that is queued is silence, and dropping it ends the thread at once
    // instead of after a drain, so a play arriving just then waits the least for its restart.
    return device->idle_.periodDone(ticket, sounding, static_cast<int>(frames)) ? paAbort : paContinue;
}

bool PortAudioOutput::open(int index)
{
    const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
    if (info == nullptr) {
        return false;
    }
    PaStreamParameters out{};
    out.device = index;
    out.channelCount = channels_;
    out.sampleFormat = paFloat32;
    out.suggestedLatency = BufferMs() / 1000.0;
    const unsigned long periodFrames = static_cast<unsigned long>(rate_) * PeriodMs() / 1000;
    // Primed from the callback: a start fills the whole buffer with what is playing (the sound
    // that woke the device) instead of a buffer of silence it would first have to wait behind.
    const PaError err = Pa_OpenStream(
        &stream_, nullptr, &out, rate_, periodFrames, paClipOff | paPrimeOutputBuffersUsingStreamCallback,
        [](const void* in, void* o, unsigned long f, const PaStreamCallbackTimeInfo* t,
           PaStreamCallbackFlags fl, void* self) { return Callback(in, o, f, t, fl, self); },
        this);
    if (err != paNoError) {
        stream_ = nullptr;
        return false;
    }
    const PaHostApiInfo* host = Pa_GetHostApiInfo(info->hostApi);
    alsa_ = host != nullptr && host->type == paALSA;
    if (alsa_) {
        // Where the system refuses real-time scheduling the thread simply keeps its priority.
        PaAlsa_EnableRealtimeScheduling(stream_, 1);
    }
    return true;
}

bool PortAudioOutput::start()
{
    if (stream_ == nullptr) {
        return false;
    }
    if (running_.load()) {
        return true;
    }
    if (!Pa_IsStreamStopped(stream_)) {
        Pa_StopStream(stream_); // it ended itself for silence: stopped before it may start again
    }
    idle_.resumed();
    if (Pa_StartStream(stream_) != paNoError) {
        return false;
    }
    if (alsa_ && !raised_) {
        // The plug-in's thread lives as long as the device is open: raised once.
        RaiseSoundServerThreads();
        raised_ = true;
    }
    running_.store(true);
    return true;
}

bool PortAudioOutput::wake()
{
    if (!running_.load() || !idle_.demand()) {
        return true;
    }
    Pa_StopStream(stream_); // the callback thread has ended, or ends after the period it is in
    idle_.resumed();
    if (Pa_StartStream(stream_) != paNoError) {
        running_.store(false);
        return false;
    }
    ++restarts_;
    return true;
}

bool PortAudioOutput::stop()
{
    if (stream_ == nullptr || !running_.exchange(false)) {
        return true;
    }
    return Pa_StopStream(stream_) == paNoError;
}
