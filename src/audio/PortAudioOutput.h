#pragma once

#include "audio/OutputDevice.h"

#include <atomic>

// A real output through PortAudio (ALSA, and through it PulseAudio or PipeWire).
class PortAudioOutput : public OutputDevice {
public:
    PortAudioOutput(int rate, int channels, Render render);
    ~PortAudioOutput() override;
    // Opens PortAudio's device `index`; false when it cannot be opened.
    bool open(int index);
    bool start() override;
    bool stop() override;
    bool running() const override { return running_.load(); }

private:
    static int Callback(const void* input, void* output, unsigned long frames, const void* timeInfo,
                        unsigned long flags, void* self);

    int rate_;
    int channels_;
    Render render_;
    void* stream_ = nullptr;
    std::atomic<bool> running_{false};
};
