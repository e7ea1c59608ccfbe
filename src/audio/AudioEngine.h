#pragma once

#include "audio/Bass.h"
#include "audio/EngineClock.h"
#include "audio/LiveChannels.h"
#include "audio/PcmSource.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

class Channel;
class ChannelEffect;
class Mixer;
class OutputDevice;
class OutputTrace;
class StreamFeeder;

// The engine behind the BASS_* calls: devices, the handle table, and the GUI side of every stream
// operation. One process-wide instance serves the free functions; its methods are called from the
// GUI thread and serialised by one lock that neither the device callback nor the feeder takes.
// The methods are split over AudioEngine*.cpp by concern.
class AudioEngine {
public:
    static AudioEngine& instance();
    AudioEngine();
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // Device and engine (AudioEngine.cpp).
    bool init(int device, std::uint32_t freq, std::uint32_t flags, bool manual);
    bool free();
    bool start();
    bool stop();
    std::uint32_t setConfig(int option, std::uint32_t value);
    bool setVolume(std::uint32_t volume);
    int volume();
    const char* deviceDescription(int device);
    bool renderManual(float* out, int frames);
    int outputChannels();
    // How often the output device, stopped after a stretch of silence, was started again by a play.
    int outputRestarts();
    bool outputParked();
    int outputLosses();
    bool outputConnected();

    // Streams (AudioEngineStreams.cpp).
    BassHandle createFile(const char* path, std::uint32_t flags);
    BassHandle createFromSource(std::unique_ptr<PcmSource> source, std::uint32_t flags);
    bool streamFree(BassHandle handle);
    BassHandle tempoCreate(BassHandle decodeStream, std::uint32_t flags);
    bool tempoSet(BassHandle handle, float tempo, float rate, float pitch);
    bool dspGet(BassHandle handle, int set, BassDspParams& params);
    bool dspSet(BassHandle handle, int set, const BassDspParams& params);
    bool getInfo(BassHandle handle, BassChannelInfo& info);
    int getData(BassHandle handle, void* buffer, std::uint32_t lengthBytes);
    // maxWait: as lengthFrames; exact (when given) tells whether the figure is the measured one.
    std::int64_t getLength(BassHandle handle, std::optional<std::chrono::milliseconds> maxWait = {},
                           bool* exact = nullptr);
    double bytesToSeconds(BassHandle handle, std::int64_t bytes);

    // Transport and volume (AudioEngineTransport.cpp).
    bool play(BassHandle handle, bool restart);
    bool pause(BassHandle handle);
    bool stopChannel(BassHandle handle);
    std::uint32_t isActive(BassHandle handle);
    std::int64_t getPosition(BassHandle handle);
    bool setPosition(BassHandle handle, std::int64_t bytes);
    std::uint32_t getLevel(BassHandle handle);
    bool setAttributes(BassHandle handle, int freq, int volume, int pan);
    bool getAttributes(BassHandle handle, int* freq, int* volume, int* pan);
    bool slideAttributes(BassHandle handle, int freq, int volume, int pan, std::uint32_t ms);
    std::uint32_t isSliding(BassHandle handle);
    bool setFlags(BassHandle handle, std::uint32_t flags);

    // Effects (AudioEngineFx.cpp).
    BassFxHandle setFx(BassHandle handle, int type, int priority);
    bool removeFx(BassHandle handle, BassFxHandle fx);
    bool fxGet(BassFxHandle fx, BassEqParams& params);
    bool fxGet(BassFxHandle fx, BassReverbParams& params);
    bool fxSet(BassFxHandle fx, const BassEqParams& params);
    bool fxSet(BassFxHandle fx, const BassReverbParams& params);

private:
    // Every helper below expects the lock held.
    std::shared_ptr<Channel> find(BassHandle handle);
    // A stream the caller may act on: not a decoding stream a tempo stream has taken over.
    std::shared_ptr<Channel> findUsable(BassHandle handle);
    bool makeLive(const std::shared_ptr<Channel>& channel);
    void seekTo(Channel& channel, std::int64_t frame);
    std::int64_t positionFrames(Channel& channel);
    // The stream's length (a tempo stream's for the decoding stream it took over), waiting at most
    // the bound its kind allows (or maxWait when given); exact false when it is the estimate.
    std::int64_t lengthFrames(Channel& channel, bool& exact, std::optional<std::chrono::milliseconds> maxWait = {});
    // Ends a slide to -2 that is over by the clock, even when nothing renders.
    void settle(Channel& channel);
    bool applyAttributes(Channel& channel, int freq, int pan);
    ChannelEffect* findFx(BassFxHandle fx, int type);
    void shutDown();

    std::mutex mutex_;
    bool initialized_ = false;
    bool started_ = false;
    bool manual_ = false;
    int rate_ = 44100;
    int outChannels_ = 2;
    int masterVolume_ = 100;
    std::atomic<int> bufferMs_{500};
    std::atomic<std::uint32_t> fileOpenWaitMs_{BassOpenWaitUntilDone};
    BassHandle nextHandle_ = 0x10001; // never reused: keeps counting across BASS_Free
    EngineClock clock_;
    LiveChannels live_;
    std::unique_ptr<Mixer> mixer_;
    std::unique_ptr<StreamFeeder> feeder_;
    std::unique_ptr<OutputTrace> trace_; // before the output: it outlives the renders
    std::unique_ptr<OutputDevice> output_;
    std::unordered_map<BassHandle, std::shared_ptr<Channel>> channels_;
    std::unordered_map<BassFxHandle, std::pair<BassHandle, ChannelEffect*>> effects_;
};
