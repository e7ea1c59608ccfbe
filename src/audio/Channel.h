#pragma once

#include "audio/Bass.h"
#include "audio/BlockRing.h"
#include "audio/ChannelEffect.h"
#include "audio/LevelMeter.h"
#include "audio/PcmSource.h"
#include "audio/StreamFeed.h"
#include "audio/VolumeRamp.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

// One stream. Three threads share it: the GUI thread (through the engine's API, under its lock),
// the feeder (StreamFeed: decoding and tempo into the ring) and the mixer (ring, effects, level,
// volume). What they share is atomics, seqlocked records and the ring; nothing here locks.
class Channel
{
public:
    enum State : int
    {
        Stopped = 0,
        Playing = 1,
        Paused = 3
    };
    static constexpr int kMaxEffects = 24;
    // How long a length query on a playing stream may wait for a scan still running: not at
    // all. A click asks for the length before it starts the sound, and the timers ask every
    // tick; until the scan ends they get the container's estimate, and the exact figure when
    // it is there.
    static constexpr std::chrono::milliseconds kLengthWait{0};
    // A decoding stream measures in place: its callers want the decoded figure itself.
    static constexpr std::chrono::milliseconds kDecodeLengthWait{3000};

    Channel(BassHandle handle, std::unique_ptr<PcmSource> source, std::uint32_t flags);

    // --- Fixed at creation.
    BassHandle handle() const { return handle_; }
    std::uint32_t flags() const { return flags_; }
    int sourceRate() const { return sourceRate_; }
    int sourceChannels() const { return sourceChannels_; }
    std::int64_t bytesPerFrame() const { return 2LL * sourceChannels_; }

    // --- GUI side (under the engine's lock).
    PcmSource* source() { return source_.get(); }
    std::unique_ptr<PcmSource> takeSource() { return std::move(source_); }
    void restoreSource(std::unique_ptr<PcmSource> source) { source_ = std::move(source); }
    // The exact length once it is known; until then the source's estimate after waiting at most
    // maxWait for its measurement, with exact false (the estimate is not kept, so a later call
    // gives the exact figure). Reads the source also after the feeder took it over.
    std::int64_t lengthFrames(std::chrono::milliseconds maxWait, bool& exact);
    bool isTempo = false;         // made by BASS_FX_TempoCreate
    BassHandle ownedSource = 0;   // the decoding stream a tempo stream took over
    BassHandle ownerTempo = 0;    // set on a decoding stream taken over by a tempo stream
    bool live = false;            // handed to the feeder and mixer
    std::int64_t decodeFrame = 0; // read position of a decoding stream the caller pulls from
    bool decodeEnded = false;
    int pan = 0;
    std::vector<std::unique_ptr<ChannelEffect>> ownedEffects;

    // --- Shared.
    std::atomic<int> state{Stopped};
    std::atomic<bool> loop{false};
    std::atomic<float> tempoPercent{0.0f};
    std::atomic<float> rateHz{0.0f}; // playback rate of the source; its native rate by default
    std::atomic<float> pitchSemitones{0.0f};
    std::atomic<float> panShared{0.0f};
    std::atomic<std::uint32_t> generation{0}; // bumped by every seek; cuts older blocks off
    std::atomic<std::int64_t> seekFrame{0};
    std::atomic<std::uint32_t> endedGeneration{0xFFFFFFFFu}; // the feeder wrote the last block
    std::atomic<std::uint32_t> changedGeneration{0xFFFFFFFFu}; // the file changed: fade out, end
    std::atomic<std::uint32_t> playedGeneration{0xFFFFFFFFu};
    std::atomic<std::int64_t> playedFrame{0};
    std::atomic<std::int64_t> knownLengthFrames{-1}; // exact only; -1 while unknown
    std::array<std::atomic<ChannelEffect*>, kMaxEffects> effects{};
    VolumeRamp volume;
    LevelMeter meter;
    BlockRing ring;

    // --- Feeder side.
    std::unique_ptr<PcmSource> feederSource;
    StreamFeed feed;

    // --- Mixer side.
    int readOffset = 0;
    std::uint32_t loopPass = 0;
    std::uint32_t mixGeneration = 0xFFFFFFFFu;
    float changedGain = 1.0f; // the fade of a changed file, within changedGeneration
    std::vector<float> scratch;

private:
    BassHandle handle_;
    std::uint32_t flags_;
    std::unique_ptr<PcmSource> source_;
    int sourceRate_;
    int sourceChannels_;
};
