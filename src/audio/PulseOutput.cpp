#include "audio/PulseOutput.h"

#include <pulse/pulseaudio.h>

#include <pthread.h>
#include <sched.h>


namespace {
void Signal(void* loop)
{
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}
} // namespace

PulseOutput::PulseOutput(int rate, int channels, Render render)
    : rate_(rate), channels_(channels), render_(std::move(render)),
      idle_(OutputIdle::ParkAfterFrames(rate, kIdleMs))
{}

PulseOutput::~PulseOutput()
{
    close();
}

void PulseOutput::close()
{
    if (loop_ == nullptr) {
        return;
    }
    pa_threaded_mainloop_stop(loop_);
    if (stream_ != nullptr) {
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_ != nullptr) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
    running_.store(false);
}

// With the lock held: waits until context and stream are ready; false on failure. A server that
// takes the connection but never answers would otherwise hold the caller for good: a timer on the
// output's own loop ends the wait after 3 s.
bool PulseOutput::waitReady()
{
    struct Deadline {
        pa_threaded_mainloop* loop;
        bool passed = false;
    } deadline{loop_};
    pa_time_event* timer = pa_context_rttime_new(
        context_, pa_rtclock_now() + 3 * PA_USEC_PER_SEC,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* d) {
            auto* self = static_cast<Deadline*>(d);
            self->passed = true;
            Signal(self->loop);
        },
        &deadline);
    bool ready = false;
    for (;;) {
        const pa_context_state_t c = pa_context_get_state(context_);
        if (!PA_CONTEXT_IS_GOOD(c)) {
            break;
        }
        if (stream_ != nullptr) {
            const pa_stream_state_t s = pa_stream_get_state(stream_);
            if (!PA_STREAM_IS_GOOD(s)) {
                break;
            }
            if (s == PA_STREAM_READY) {
                ready = true;
                break;
            }
        } else if (c == PA_CONTEXT_READY) {
            ready = true;
            break;
        }
        if (deadline.passed || timer == nullptr) {
            break;
        }
        pa_threaded_mainloop_wait(loop_);
    }
    if (timer != nullptr) {
        pa_threaded_mainloop_get_api(loop_)->time_free(timer);
    }
    return ready;
}

bool PulseOutput::open()
{
    loop_ = pa_threaded_mainloop_new();
    if (loop_ == nullptr) {
        return false;
    }
    pa_threaded_mainloop_set_name(loop_, "rbx-output");
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Rallybox");
    if (context_ != nullptr) {
        pa_context_set_state_callback(
            context_, [](pa_context*, void* l) { Signal(l); }, loop_);
    }
    // No autospawn: where no server runs the caller falls back to PortAudio at once.
    if (context_ == nullptr || pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(loop_) < 0) {
        close();
        return false;
    }
    pa_threaded_mainloop_lock(loop_);
    bool ok = waitReady();
    if (ok) {
        pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(rate_),
                            static_cast<std::uint8_t>(channels_)};
        stream_ = pa_stream_new(context_, "Rallybox", &spec, nullptr);
        ok = stream_ != nullptr;
    }
    if (ok) {
        const std::uint32_t frameBytes = static_cast<std::uint32_t>(sizeof(float) * channels_);
        const auto bytesFor = [&](int ms) {
            return static_cast<std::uint32_t>(rate_ * ms / 1000) * frameBytes;
        };
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = bytesFor(OutputDevice::BufferMs());
        attr.prebuf = static_cast<std::uint32_t>(-1);
        attr.minreq = bytesFor(OutputDevice::PeriodMs());
        attr.fragsize = static_cast<std::uint32_t>(-1);
        pa_stream_set_state_callback(
            stream_, [](pa_stream*, void* l) { Signal(l); }, loop_);
        pa_stream_set_write_callback(stream_, &PulseOutput::OnWrite, this);
        const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_EARLY_REQUESTS);
        ok = pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) == 0 && waitReady();
    }
    pa_threaded_mainloop_unlock(loop_);
    if (!ok) {
        close();
    }
    return ok;
}

void PulseOutput::OnWrite(pa_stream*, std::size_t bytes, void* self)
{
    static_cast<PulseOutput*>(self)->fill(bytes);
}

void PulseOutput::fill(std::size_t bytes)
{
    // Nothing is written while stopped or corked for silence: what a corked stream holds is
    // flushed on the next play, and a sound rendered into it would lose its start.
    if (!running_.load() || idle_.parked() || bytes == 0) {
        return;
    }
    if (!raised_ && pa_threaded_mainloop_in_thread(loop_) != 0) {
        // Where the system refuses real-time scheduling the thread simply keeps its priority.
        sched_param param{};
        param.sched_priority = 1;
        pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
        raised_ = true;
    }
    void* data = nullptr;
    if (pa_stream_begin_write(stream_, &data, &bytes) < 0 || data == nullptr) {
        return;
    }
    const int frames = static_cast<int>(bytes / (sizeof(float) * channels_));
    const std::uint64_t ticket = idle_.periodStart();
    const bool sounding = render_(static_cast<float*>(data), frames);
    pa_stream_write(stream_, data, static_cast<std::size_t>(frames) * sizeof(float) * channels_, nullptr, 0,
                    PA_SEEK_RELATIVE);
    if (idle_.periodDone(ticket, sounding, frames)) {
        pa_operation_unref(pa_stream_cork(stream_, 1, nullptr, nullptr));
    }
}

bool PulseOutput::start()
{
    if (stream_ == nullptr) {
        return false;
    }
    if (running_.exchange(true)) {
        return true;
    }
    pa_threaded_mainloop_lock(loop_);
    uncork();
    pa_threaded_mainloop_unlock(loop_);
    return true;
}

void PulseOutput::uncork()
{
    idle_.resumed();
    pa_operation_unref(pa_stream_cork(stream_, 0, nullptr, nullptr));
    const std::size_t writable = pa_stream_writable_size(stream_);
    fill(writable == static_cast<std::size_t>(-1) ? 0 : writable);
}

bool PulseOutput::wake()
{
    if (!running_.load() || !idle_.demand()) {
        return true;
    }
    pa_threaded_mainloop_lock(loop_);
    // The silence still queued stays: it plays out first (one buffer at most) and the server then
    // asks for more, which the sound fills. Flushing it would save that buffer but the server's
    // resumed mix drops the first few ms written after a flush: a cut start, heard as a click.
    uncork();
    ++restarts_;
    pa_threaded_mainloop_unlock(loop_);
    return PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
}

bool PulseOutput::stop()
{
    if (stream_ == nullptr || !running_.exchange(false)) {
        return true;
    }
    pa_threaded_mainloop_lock(loop_);
    pa_operation_unref(pa_stream_cork(stream_, 1, nullptr, nullptr));
    pa_threaded_mainloop_unlock(loop_);
    return true;
}
