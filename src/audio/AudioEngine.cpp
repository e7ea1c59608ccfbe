#include "audio/AudioEngine.h"

#include "audio/Channel.h"
#include "audio/DeviceCatalog.h"
#include "audio/EngineError.h"
#include "audio/Mixer.h"
#include "audio/NullOutput.h"
#include "audio/OutputTrace.h"
#include "audio/OutputBackend.h"
#include "audio/StreamFeeder.h"

#include <algorithm>
#include <cstdlib>

namespace {
// The render, noting each period in the trace.
OutputDevice::Render TracedRender(OutputTrace& trace, Mixer& mix, const StreamFeeder& feeder,
                                  const EngineClock& clock)
{
    return [&trace, &mix, &feeder, &clock](float* out, int frames) {
        OutputTrace::Period period;
        period.startNs = OutputTrace::NowNs();
        const bool sounding = mix.render(out, frames, clock.nowNs());
        const std::int64_t endNs = OutputTrace::NowNs();
        period.renderUs = static_cast<std::int32_t>((endNs - period.startNs) / 1000);
        period.frames = frames;
        period.leastAheadFrames = mix.leastAheadFrames();
        period.feederAgeUs = static_cast<std::int32_t>((endNs - feeder.lastPassNs()) / 1000);
        OutputTrace::CountThread(period);
        trace.note(period);
        return sounding;
    };
}
} // namespace

AudioEngine& AudioEngine::instance()
{
    static AudioEngine engine;
    return engine;
}

AudioEngine::AudioEngine() = default;

AudioEngine::~AudioEngine()
{
    std::lock_guard<std::mutex> lock(mutex_);
    shutDown();
}

bool AudioEngine::init(int device, std::uint32_t freq, std::uint32_t flags, bool manual)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (initialized_) {
        return EngineError::Fail(BassError::Already);
    }
    if (device == -1) {
        device = 1;
    }
    if (device < 0) {
        return EngineError::Fail(BassError::Device);
    }
    if (freq == 0) {
        freq = 44100;
    }
    if (freq < 4000 || freq > 192000) {
        return EngineError::Fail(BassError::Frequency);
    }
    const int rate = static_cast<int>(freq);
    const int channels = (flags & BASS_DEVICE_MONO) != 0 ? 1 : 2;
    auto mixer = std::make_unique<Mixer>(live_, rate, channels);
    auto feeder = std::make_unique<StreamFeeder>(live_, rate, channels);
    feeder->setBufferMs(bufferMs_.load());
    std::unique_ptr<OutputDevice> output;
    Mixer* mix = mixer.get();
    EngineClock* clock = &clock_;
    trace_ = manual ? nullptr : OutputTrace::FromEnvironment();
    OutputDevice::Render render = [mix, clock](float* out, int frames) {
        return mix->render(out, frames, clock->nowNs());
    };
    if (trace_) {
        render = TracedRender(*trace_, *mixer, *feeder, clock_);
    }
    if (!manual && device == 0) {
        output = std::make_unique<NullOutput>(rate, channels, render);
    } else if (!manual) {
        // The default output goes straight to the sound server where one answers; that needs no
        // device list, so the start does not wait for the probe of every card.
        if (device == 1 && std::getenv("RBX_OUTPUT_PORTAUDIO") == nullptr) {
            output = OutputBackend::OpenSoundServer(rate, channels, render);
        }
        DeviceCatalog& catalog = DeviceCatalog::instance();
        const int index = output ? 0 : catalog.portAudioIndex(device);
        if (index < 0) {
            // No such output, or no sound system that answered the probe at all.
            return EngineError::Fail(catalog.portAudioReady() ? BassError::Device : BassError::Driver);
        }
        if (!output) {
            output = OutputBackend::OpenPortAudio(rate, channels, render, index);
            if (!output) {
                return EngineError::Fail(BassError::Driver);
            }
        }
    }
    rate_ = rate;
    outChannels_ = channels;
    manual_ = manual;
    masterVolume_ = 100;
    mixer_ = std::move(mixer);
    feeder_ = std::move(feeder);
    output_ = std::move(output);
    if (manual_) {
        clock_.startManual(rate_);
    } else {
        clock_.startReal();
        feeder_->startThread();
        if (!output_->start()) {
            shutDown();
            return EngineError::Fail(BassError::Driver);
        }
    }
    initialized_ = true;
    started_ = true;
    EngineError::Set(BassError::Ok);
    return true;
}

void AudioEngine::shutDown()
{
    output_.reset(); // stops the callback first: nothing renders from here on
    trace_.reset();
    if (feeder_ && !feeder_->stopThread()) {
        // Its thread is stuck in a decoder and will still use the feeder when it comes back: the
        // feeder is left to it (the stream in its hands stays among the live list's retired ones).
        static_cast<void>(feeder_.release());
    }
    live_.removeAll();
    effects_.clear();
    channels_.clear();
    live_.reap();
    feeder_.reset();
    mixer_.reset();
    initialized_ = false;
    started_ = false;
    manual_ = false;
}

bool AudioEngine::free()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return EngineError::Fail(BassError::Init);
    }
    shutDown();
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::start()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return EngineError::Fail(BassError::Init);
    }
    if (output_ && !output_->start()) {
        return EngineError::Fail(BassError::Driver);
    }
    started_ = true;
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return EngineError::Fail(BassError::Init);
    }
    if (output_) {
        output_->stop();
    }
    started_ = false;
    EngineError::Set(BassError::Ok);
    return true;
}

std::uint32_t AudioEngine::setConfig(int option, std::uint32_t value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (option == BassConfigFileOpenWait) {
        fileOpenWaitMs_.store(value);
        EngineError::Set(BassError::Ok);
        return value;
    }
    if (option != BASS_CONFIG_BUFFER) {
        EngineError::Set(BassError::IllegalType);
        return 0xFFFFFFFFu;
    }
    const int ms = static_cast<int>(std::clamp<std::uint32_t>(value, 10, 5000));
    bufferMs_.store(ms);
    if (feeder_) {
        feeder_->setBufferMs(ms);
    }
    EngineError::Set(BassError::Ok);
    return static_cast<std::uint32_t>(ms);
}

bool AudioEngine::setVolume(std::uint32_t volume)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return EngineError::Fail(BassError::Init);
    }
    if (volume > 100) {
        return EngineError::Fail(BassError::IllegalParam);
    }
    masterVolume_ = static_cast<int>(volume);
    mixer_->setMasterVolume(masterVolume_);
    EngineError::Set(BassError::Ok);
    return true;
}

int AudioEngine::volume()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        EngineError::Set(BassError::Init);
        return -1;
    }
    EngineError::Set(BassError::Ok);
    return masterVolume_;
}

const char* AudioEngine::deviceDescription(int device)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const char* text = DeviceCatalog::instance().description(device);
    EngineError::Set(text != nullptr ? BassError::Ok : BassError::Device);
    return text;
}

bool AudioEngine::renderManual(float* out, int frames)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_ || !manual_ || out == nullptr || frames < 0) {
        return EngineError::Fail(initialized_ ? BassError::NotAvailable : BassError::Init);
    }
    int done = 0;
    while (done < frames) {
        // Feed, then mix, a chunk at a time: what a feeder thread and a callback would do,
        // in a fixed order.
        const int n = std::min(Mixer::kChunkFrames, frames - done);
        if (started_) {
            mixer_->discardStale();
            feeder_->fillAll();
            mixer_->render(out + static_cast<std::ptrdiff_t>(done) * outChannels_, n, clock_.nowNs());
        } else {
            std::fill(out + static_cast<std::ptrdiff_t>(done) * outChannels_,
                      out + static_cast<std::ptrdiff_t>(done + n) * outChannels_, 0.0f);
        }
        clock_.advanceFrames(n);
        done += n;
    }
    EngineError::Set(BassError::Ok);
    return true;
}

int AudioEngine::outputRestarts()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return output_ ? output_->restarts() : 0;
}

bool AudioEngine::outputParked()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return output_ && output_->parked();
}

int AudioEngine::outputLosses()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return output_ ? output_->losses() : 0;
}

bool AudioEngine::outputConnected()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return !output_ || output_->connected();
}

int AudioEngine::outputChannels()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return initialized_ ? outChannels_ : 0;
}
