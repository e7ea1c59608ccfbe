#include "audio/Bass.h"

#include "audio/AudioEngine.h"
#include "audio/EngineError.h"
#include "audio/EngineManual.h"
#include "audio/FileDecoder.h"

namespace {
AudioEngine& Engine()
{
    return AudioEngine::instance();
}
constexpr std::uint32_t kVersion = 0x02030000;
} // namespace

std::uint32_t BASS_GetVersion()
{
    return kVersion;
}
bool BASS_Init(int device, std::uint32_t freq, std::uint32_t flags, void*, void*)
{
    return Engine().init(device, freq, flags, false);
}
bool BASS_Free() { return Engine().free(); }
bool BASS_Start() { return Engine().start(); }
bool BASS_Stop() { return Engine().stop(); }
int BassOutputLosses() { return Engine().outputLosses(); }
bool BassOutputConnected() { return Engine().outputConnected(); }
std::uint32_t BASS_SetConfig(int option, std::uint32_t value)
{
    return Engine().setConfig(option, value);
}
bool BASS_SetVolume(std::uint32_t volume) { return Engine().setVolume(volume); }
int BASS_GetVolume() { return Engine().volume(); }
const char* BASS_GetDeviceDescription(int device) { return Engine().deviceDescription(device); }
int BASS_ErrorGetCode() { return EngineError::Get(); }

bool BassFileOpening(const char* path) { return path != nullptr && AudioFileOpening(path); }
void BassSetFileOpenedListener(std::function<void()> listener) { SetAudioFileOpenedListener(std::move(listener)); }

BassHandle BASS_StreamCreateFile(bool inMemory, const char* path, std::uint64_t offset,
                                 std::uint64_t length, std::uint32_t flags)
{
    if (inMemory || offset != 0 || length != 0) {
        // Streams are only ever made from whole files.
        EngineError::Set(BassError::NotAvailable);
        return 0;
    }
    return Engine().createFile(path, flags);
}
BassHandle BASS_WMA_StreamCreateFile(bool inMemory, const char* path, std::uint64_t offset,
                                     std::uint64_t length, std::uint32_t flags)
{
    return BASS_StreamCreateFile(inMemory, path, offset, length, flags);
}
BassHandle BASS_FLAC_StreamCreateFile(bool inMemory, const char* path, std::uint64_t offset,
                                      std::uint64_t length, std::uint32_t flags)
{
    return BASS_StreamCreateFile(inMemory, path, offset, length, flags);
}
bool BASS_StreamFree(BassHandle handle) { return Engine().streamFree(handle); }
BassHandle BASS_FX_TempoCreate(BassHandle decodeStream, std::uint32_t flags)
{
    return Engine().tempoCreate(decodeStream, flags);
}
bool BASS_FX_TempoSet(BassHandle handle, float tempo, float rate, float pitch)
{
    return Engine().tempoSet(handle, tempo, rate, pitch);
}
bool BASS_FX_DSP_GetParameters(BassHandle handle, int set, BassDspParams& params)
{
    return Engine().dspGet(handle, set, params);
}
bool BASS_FX_DSP_SetParameters(BassHandle handle, int set, const BassDspParams& params)
{
    return Engine().dspSet(handle, set, params);
}

bool BASS_ChannelGetInfo(BassHandle handle, BassChannelInfo& info)
{
    return Engine().getInfo(handle, info);
}
bool BASS_ChannelPlay(BassHandle handle, bool restart) { return Engine().play(handle, restart); }
bool BASS_ChannelPause(BassHandle handle) { return Engine().pause(handle); }
bool BASS_ChannelStop(BassHandle handle) { return Engine().stopChannel(handle); }
std::uint32_t BASS_ChannelIsActive(BassHandle handle) { return Engine().isActive(handle); }
std::int64_t BASS_ChannelGetLength(BassHandle handle) { return Engine().getLength(handle); }
std::int64_t BassChannelGetLengthWithin(BassHandle handle, std::uint32_t maxWaitMs, bool& exact)
{
    exact = false;
    return Engine().getLength(handle, std::chrono::milliseconds(maxWaitMs), &exact);
}
std::int64_t BASS_ChannelGetPosition(BassHandle handle) { return Engine().getPosition(handle); }
bool BASS_ChannelSetPosition(BassHandle handle, std::int64_t bytes)
{
    return Engine().setPosition(handle, bytes);
}
double BASS_ChannelBytes2Seconds(BassHandle handle, std::int64_t bytes)
{
    return Engine().bytesToSeconds(handle, bytes);
}
int BASS_ChannelGetData(BassHandle handle, void* buffer, std::uint32_t lengthBytes)
{
    return Engine().getData(handle, buffer, lengthBytes);
}
std::uint32_t BASS_ChannelGetLevel(BassHandle handle) { return Engine().getLevel(handle); }
bool BASS_ChannelSetAttributes(BassHandle handle, int freq, int volume, int pan)
{
    return Engine().setAttributes(handle, freq, volume, pan);
}
bool BASS_ChannelGetAttributes(BassHandle handle, int* freq, int* volume, int* pan)
{
    return Engine().getAttributes(handle, freq, volume, pan);
}
bool BASS_ChannelSlideAttributes(BassHandle handle, int freq, int volume, int pan, std::uint32_t ms)
{
    return Engine().slideAttributes(handle, freq, volume, pan, ms);
}
std::uint32_t BASS_ChannelIsSliding(BassHandle handle) { return Engine().isSliding(handle); }
bool BASS_ChannelSetFlags(BassHandle handle, std::uint32_t flags)
{
    return Engine().setFlags(handle, flags);
}
BassFxHandle BASS_ChannelSetFX(BassHandle handle, int type, int priority)
{
    return Engine().setFx(handle, type, priority);
}
bool BASS_ChannelRemoveFX(BassHandle handle, BassFxHandle fx)
{
    return Engine().removeFx(handle, fx);
}
bool BASS_FXGetParameters(BassFxHandle fx, BassEqParams& params) { return Engine().fxGet(fx, params); }
bool BASS_FXGetParameters(BassFxHandle fx, BassReverbParams& params)
{
    return Engine().fxGet(fx, params);
}
bool BASS_FXSetParameters(BassFxHandle fx, const BassEqParams& params)
{
    return Engine().fxSet(fx, params);
}
bool BASS_FXSetParameters(BassFxHandle fx, const BassReverbParams& params)
{
    return Engine().fxSet(fx, params);
}

bool EngineInitManual(std::uint32_t rate, std::uint32_t flags)
{
    return Engine().init(0, rate, flags, true);
}
bool EngineRenderManual(float* out, int frames) { return Engine().renderManual(out, frames); }
int EngineOutputChannels() { return Engine().outputChannels(); }
BassHandle EngineStreamCreate(std::unique_ptr<PcmSource> source, std::uint32_t flags)
{
    return Engine().createFromSource(std::move(source), flags);
}
