#include "audio/PortAudioOutput.h"

#include <portaudio.h>

PortAudioOutput::PortAudioOutput(int rate, int channels, Render render)
    : rate_(rate), channels_(channels), render_(std::move(render))
{
}

PortAudioOutput::~PortAudioOutput()
{
    stop();
    if (stream_ != nullptr) {
        Pa_CloseStream(stream_);
    }
}

int PortAudioOutput::Callback(const void*, void* output, unsigned long frames, const void*,
                              unsigned long, void* self)
{
    auto* device = static_cast<PortAudioOutput*>(self);
    device->render_(static_cast<float*>(output), static_cast<int>(frames));
    return paContinue;
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
    out.suggestedLatency = info->defaultLowOutputLatency;
    const PaError err = Pa_OpenStream(
        &stream_, nullptr, &out, rate_, paFramesPerBufferUnspecified, paClipOff,
        [](const void* in, void* o, unsigned long f, const PaStreamCallbackTimeInfo* t,
           PaStreamCallbackFlags fl, void* self) { return Callback(in, o, f, t, fl, self); },
        this);
    if (err != paNoError) {
        stream_ = nullptr;
        return false;
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
    if (Pa_StartStream(stream_) != paNoError) {
        return false;
    }
    running_.store(true);
    return true;
}

bool PortAudioOutput::stop()
{
    if (stream_ == nullptr || !running_.exchange(false)) {
        return true;
    }
    return Pa_StopStream(stream_) == paNoError;
}
