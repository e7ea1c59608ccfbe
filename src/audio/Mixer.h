#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

class Channel;
class LiveChannels;

// Renders the output one period at a time: per playing stream, the blocks the feeder prepared,
// the stream's effects, its level meter and its volume (evaluated on the engine clock per frame);
// then the master volume. Runs on the device callback (or the manual render): it never
// allocates, locks or logs.
class Mixer
{
public:
    static constexpr int kChunkFrames = 1024;

    Mixer(LiveChannels& live, int rate, int channels);

    // Out: frames x channels floats. nowNs: the engine clock at the first frame. True when a
    // stream was playing.
    bool render(float* out, int frames, std::int64_t nowNs);
    // Drops blocks a seek has cut off; the manual render calls it before feeding.
    void discardStale();
    // The fewest frames a playing stream has ready (read-ahead left), -1 when none plays. For the
    // output trace; called on the device's thread after a render.
    int leastAheadFrames();
    void setMasterVolume(int volume) { masterTarget_.store(volume); }

    int rate() const { return rate_; }
    int channels() const { return channels_; }

private:
    bool renderChunk(float* out, int frames, std::int64_t nowNs);
    void mixChannel(Channel& channel, float* out, int frames, std::int64_t nowNs);
    void applyEffects(Channel& channel, float* buf, int frames);
    int pull(Channel& channel, float* dest, int frames);
    // The file under the channel changed: what was read ahead before fades out, then it stops.
    void fadeOutChanged(Channel& channel, float* buf, int frames);
    static void dropStale(Channel& channel);

    LiveChannels& live_;
    int rate_;
    int channels_;
    std::atomic<int> masterTarget_{100};
    float master_ = 1.0f;
};
