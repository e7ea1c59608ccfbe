#pragma once
// audio/: the engine behind the BASS_* calls below (Bass.cpp): AudioEngine (streams, transport,
// effects), Mixer and LiveChannels (the device callback's side), StreamFeeder (read-ahead thread)
// and BlockRing, Channel and ChannelEffect (tempo, equalizer PeakingBand, Reverb, LevelMeter,
// VolumeRamp). Outputs: OutputDevice (shared buffer size), PulseOutput, PortAudioOutput,
// NullOutput, listed by DeviceCatalog. Decoding: FileDecoder (the module loader) and the Ffmpeg*
// classes and MpegFrameScan inside librbx_decoder.so.

#include "audio/BassErrorCodes.h"

#include <cstdint>
#include <functional>

// The audio engine's calls, under the names the playback code uses. Every call sets the code that
// BASS_ErrorGetCode reads back (BassError::Ok on success); the code is kept per calling thread.
//
// Thread contract: every call is made from the GUI thread (or one test thread); calls are
// serialised by the engine and never wait on decoding, except the few marked "blocks", which
// decode or measure on the caller's thread because their result is the decoded data itself.

using BassHandle = std::uint32_t;   // a stream; 0 = none. Never reused within a run.
using BassFxHandle = std::uint32_t; // an effect on a stream; 0 = none. Never reused within a run.

inline constexpr std::uint32_t BASS_DEVICE_MONO = 2;
inline constexpr std::uint32_t BASS_SAMPLE_LOOP = 4;
inline constexpr std::uint32_t BASS_FX_FREESOURCE = 0x10000;
// Accepted on file streams that are opened only to be measured; the caller frees them.
inline constexpr std::uint32_t BassStreamAutoFree = 0x40000;
// A stream only wanted if it can be had at once (a second stream of a sound, a scan): a file known
// to sit on slow storage starts no open for it and the call fails with BassError::Busy.
inline constexpr std::uint32_t BassStreamIfAtHand = 0x80000;
inline constexpr std::uint32_t BASS_STREAM_DECODE = 0x200000;
inline constexpr int BASS_CONFIG_BUFFER = 0;
// How long (ms) a file call waits for the file's open before it goes on in the background
// (BassError::Busy). BassOpenWaitUntilDone, the default, waits until the open is done.
inline constexpr int BassConfigFileOpenWait = 0x10000;
inline constexpr std::uint32_t BassOpenWaitUntilDone = 0xFFFFFFFFu;

// Effect types of BASS_ChannelSetFX.
inline constexpr int BassFxParamEq = 7;
inline constexpr int BassFxReverb = 8;
// Parameter set of BASS_FX_DSP_Get/SetParameters that carries the sample rate.
inline constexpr int BassDspSampleRate = 5;
// BASS_ChannelIsSliding result while the volume slides.
inline constexpr std::uint32_t BassSlidingVolume = 2;
// BASS_ChannelIsActive results.
inline constexpr std::uint32_t BassActiveStopped = 0;
inline constexpr std::uint32_t BassActivePlaying = 1;
inline constexpr std::uint32_t BassActivePaused = 3;

struct BassChannelInfo {
    std::uint32_t freq = 0;         // native sample rate of the file, Hz
    std::uint32_t chans = 0;        // channels delivered: 2 under stereo output, 1 under mono
    std::uint32_t flags = 0;        // the creation flags (and BASS_SAMPLE_LOOP when set)
    std::uint32_t bitsPerSample = 16;
};

// One peaking equalizer band.
struct BassEqParams {
    float centerHz = 1000.0f;           // > 0; a band at or above 0.45 x the output rate is bypassed
    float bandwidthSemitones = 12.0f;   // 1..36
    float gainDb = 0.0f;                // -15..15
};

struct BassReverbParams {
    float inGainDb = 0.0f;          // -96..0
    float reverbMixDb = 0.0f;       // -96..0; -96 passes the sound through untouched
    float reverbTimeMs = 1000.0f;   // 0.001..3000
    float highFreqRatio = 0.001f;   // 0.001..0.999: decay time of the highs relative to the lows
};

// BASS_FX_DSP_Get/SetParameters record for set 5.
struct BassDspParams {
    float option = 0.0f;
    float sampleRate = 0.0f;
};

// --- Engine and device (GUI thread; BASS_Init, BASS_Free, BASS_Start, BASS_Stop may block briefly
// while the sound server opens or closes the device; the others never block).
std::uint32_t BASS_GetVersion();                 // high word 0x0203
// device 0 "No sound", 1 the system default output, 2.. the other outputs; -1 means 1.
bool BASS_Init(int device, std::uint32_t freq, std::uint32_t flags, void* window, void* classId);
bool BASS_Free();
bool BASS_Start();
bool BASS_Stop();
// BASS_CONFIG_BUFFER: read-ahead of every stream in ms (10..5000); BassConfigFileOpenWait: see
// above. Returns the value now in force, 0xFFFFFFFF for an unknown option. Works before BASS_Init.
std::uint32_t BASS_SetConfig(int option, std::uint32_t value);
bool BASS_SetVolume(std::uint32_t volume);       // master volume 0..100, linear
int BASS_GetVolume();                            // -1 when not initialised
// A text per device, nullptr past the last one. Valid for the whole run.
const char* BASS_GetDeviceDescription(int device);
int BASS_ErrorGetCode();
// How often the output lost its sound server since BASS_Init. The output goes on in silence
// meanwhile (sounds play, end and report positions) and connects again by itself; while it waits
// BassOutputConnected is false. Never blocks.
int BassOutputLosses();
bool BassOutputConnected();
// True while an open of the file goes on in the background. Never blocks.
bool BassFileOpening(const char* path);
// Called on an engine thread each time an open that went on in the background has finished (the
// file opened or was refused); it should only schedule the work that asks for the file again.
// An empty function stops the calls; it returns once no call is under way.
void BassSetFileOpenedListener(std::function<void()> listener);

// --- Streams (GUI thread). The file calls wait at most 30 ms for the file's open; an open that
// takes longer goes on in the background and the call fails with BassError::Busy. The file asked
// for again once BassFileOpening says it no longer is gives the stream at once, or the reason it
// was refused: FileFormat when its decoder worked too long (a file padded with zero bytes),
// FileOpen when storage did not deliver it within 10 s.
BassHandle BASS_StreamCreateFile(bool inMemory, const char* path, std::uint64_t offset,
                                 std::uint64_t length, std::uint32_t flags);
BassHandle BASS_WMA_StreamCreateFile(bool inMemory, const char* path, std::uint64_t offset,
                                     std::uint64_t length, std::uint32_t flags);
BassHandle BASS_FLAC_StreamCreateFile(bool inMemory, const char* path, std::uint64_t offset,
                                      std::uint64_t length, std::uint32_t flags);
bool BASS_StreamFree(BassHandle handle);
// Wraps a decoding stream in a playable tempo stream; the source is freed with it.
BassHandle BASS_FX_TempoCreate(BassHandle decodeStream, std::uint32_t flags);
// tempo in percent (0 = normal speed), rate in Hz, pitch in semitones; -100 leaves a value as it
// is, and so does a rate of 0.
bool BASS_FX_TempoSet(BassHandle handle, float tempo, float rate, float pitch);
bool BASS_FX_DSP_GetParameters(BassHandle handle, int set, BassDspParams& params);
bool BASS_FX_DSP_SetParameters(BassHandle handle, int set, const BassDspParams& params);

// --- Channels (GUI thread; never block, except BASS_ChannelGetData and BASS_ChannelSetPosition
// and BASS_ChannelGetLength on a decoding stream, which decode, seek or measure in place, and the
// bounded wait of BASS_ChannelGetLength below).
bool BASS_ChannelGetInfo(BassHandle handle, BassChannelInfo& info);
bool BASS_ChannelPlay(BassHandle handle, bool restart);
bool BASS_ChannelPause(BassHandle handle);
bool BASS_ChannelStop(BassHandle handle);
std::uint32_t BASS_ChannelIsActive(BassHandle handle);     // 0 stopped or ended, 1 playing, 3 paused
// Bytes; -1 on failure. Exact at once for WAV, BWF, FLAC and Ogg, and for any file whose scan has
// finished (scans are shared by the streams of a file and kept for recently opened files). For
// MPEG audio and WMA still being scanned, a playable stream waits at most 15 ms and then gives the
// container's estimate (within a few tens of ms; the next call gives the exact figure once it is
// known); a decoding stream waits for the exact figure, at most 3 s.
std::int64_t BASS_ChannelGetLength(BassHandle handle);
// As BASS_ChannelGetLength on any stream, waiting at most maxWaitMs for a measurement still
// running: exact false when the figure is the estimate, which a later call replaces.
std::int64_t BassChannelGetLengthWithin(BassHandle handle, std::uint32_t maxWaitMs, bool& exact);
std::int64_t BASS_ChannelGetPosition(BassHandle handle);   // bytes of the source; -1 on failure
// Past the end fails with BassError::Position when the length is exact; against an estimated
// length a place past the real end is taken and the stream ends as soon as it plays.
bool BASS_ChannelSetPosition(BassHandle handle, std::int64_t bytes);
double BASS_ChannelBytes2Seconds(BassHandle handle, std::int64_t bytes); // negative on failure
// Decoding streams only: whole frames of 16-bit samples; returns bytes, 0 at the end, -1 on failure.
int BASS_ChannelGetData(BassHandle handle, void* buffer, std::uint32_t lengthBytes);
// Peak of the last ~20 ms before the volume: left in the low 16 bits, right in the high 16 bits,
// each 0..32768. 0 when the channel does not play or on failure.
std::uint32_t BASS_ChannelGetLevel(BassHandle handle);
// freq -1 leaves the rate (0 the native rate), volume -1 leaves it (0..100), pan -101 leaves it.
bool BASS_ChannelSetAttributes(BassHandle handle, int freq, int volume, int pan);
bool BASS_ChannelGetAttributes(BassHandle handle, int* freq, int* volume, int* pan);
// Volume moves linearly to the target over ms on the engine clock; -2 slides to silence and stops.
bool BASS_ChannelSlideAttributes(BassHandle handle, int freq, int volume, int pan, std::uint32_t ms);
std::uint32_t BASS_ChannelIsSliding(BassHandle handle);   // BassSlidingVolume while the volume slides
bool BASS_ChannelSetFlags(BassHandle handle, std::uint32_t flags);
BassFxHandle BASS_ChannelSetFX(BassHandle handle, int type, int priority);
bool BASS_ChannelRemoveFX(BassHandle handle, BassFxHandle fx);
bool BASS_FXGetParameters(BassFxHandle fx, BassEqParams& params);
bool BASS_FXGetParameters(BassFxHandle fx, BassReverbParams& params);
bool BASS_FXSetParameters(BassFxHandle fx, const BassEqParams& params);
bool BASS_FXSetParameters(BassFxHandle fx, const BassReverbParams& params);
