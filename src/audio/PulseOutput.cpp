#include "audio/PulseOutput.h"

#include "audio/ThreadPriority.h"

#include <pulse/pulseaudio.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
void Signal(pa_threaded_mainloop* loop)
{
    pa_threaded_mainloop_signal(loop, 0);
}

// A request's handle is not needed; a dead connection gives none.
void Drop(pa_operation* operation)
{
    if (operation != nullptr) {
        pa_operation_unref(operation);
    }
}

// A connection attempt that has not reached a ready stream after this many retry ticks (a server
// that takes the connection and never answers) is dropped and begun again.
constexpr int kAttemptTicks = 3000 / PulseOutput::kRetryMs;

// The socket of a server on this machine ("unix:/path" or "/path"); empty for any other.
std::string LocalSocketPath(const char* server)
{
    std::string path = server != nullptr ? server : "";
    if (path.rfind("unix:", 0) == 0) {
        path.erase(0, 5);
    }
    return !path.empty() && path.front() == '/' ? path : std::string();
}

// Whether anything takes connections on the socket. Far cheaper than a new context, which reads
// the client configuration and sets up a memory pool only to learn that the server is still away.
bool SocketAnswers(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0 || path.size() >= sizeof(address.sun_path)) {
        if (fd >= 0) {
            ::close(fd);
        }
        return true; // cannot tell: the real connection is tried
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    const int error = errno;
    ::close(fd);
    return result == 0 || (error != ECONNREFUSED && error != ENOENT);
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
    // The loop's thread has ended: what it owned is this thread's now.
    standIn_.reset();
    if (retry_ != nullptr) {
        pa_threaded_mainloop_get_api(loop_)->time_free(retry_);
        retry_ = nullptr;
    }
    dropConnection();
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
    running_.store(false);
    connected_.store(false);
}

void PulseOutput::dropConnection()
{
    // Callbacks first: a disconnect reports the ended state, which is no loss.
    if (stream_ != nullptr) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        // A stream its server dropped is no longer tied to a context: nothing to disconnect.
        if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) {
            pa_stream_disconnect(stream_);
        }
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_ != nullptr) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
}

bool PulseOutput::connectContext()
{
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Rallybox");
    if (context_ == nullptr) {
        return false;
    }
    pa_context_set_state_callback(context_, &PulseOutput::OnContextState, this);
    // No autospawn: where no server runs the caller falls back to PortAudio at once.
    return pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0;
}

// With the lock held: waits until context and stream are ready; false on failure. A server that
// takes the connection but never answers would otherwise hold the caller for good: a timer on the
// output's own loop ends the wait after 3 s.
bool PulseOutput::waitReady()
{
    struct Deadline
    {
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
    if (!connectContext() || pa_threaded_mainloop_start(loop_) < 0) {
        close();
        return false;
    }
    pa_threaded_mainloop_lock(loop_);
    const bool ok = waitReady() && openStream() && waitReady();
    if (ok) {
        opened_ = true;
        connected_.store(true);
        serverSocket_ = LocalSocketPath(pa_context_get_server(context_));
    }
    pa_threaded_mainloop_unlock(loop_);
    if (!ok) {
        close();
    }
    return ok;
}

bool PulseOutput::openStream()
{
    pa_sample_spec format{PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(rate_),
                          static_cast<std::uint8_t>(channels_)};
    stream_ = pa_stream_new(context_, "Rallybox", &format, nullptr);
    if (stream_ == nullptr) {
        return false;
    }
    const std::uint32_t frameBytes = static_cast<std::uint32_t>(sizeof(float) * channels_);
    const auto bytesFor = [&](int ms) { return static_cast<std::uint32_t>(rate_ * ms / 1000) * frameBytes; };
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = bytesFor(OutputDevice::BufferMs());
    attr.prebuf = static_cast<std::uint32_t>(-1);
    attr.minreq = bytesFor(OutputDevice::PeriodMs());
    attr.fragsize = static_cast<std::uint32_t>(-1);
    pa_stream_set_state_callback(stream_, &PulseOutput::OnStreamState, this);
    pa_stream_set_write_callback(stream_, &PulseOutput::OnWrite, this);
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_EARLY_REQUESTS);
    return pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) == 0;
}

void PulseOutput::OnContextState(pa_context* context, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    Signal(out->loop_);
    if (!out->opened_) {
        return; // open() follows the states itself
    }
    const pa_context_state_t state = pa_context_get_state(context);
    if (!PA_CONTEXT_IS_GOOD(state)) {
        out->connectionLost();
    } else if (state == PA_CONTEXT_READY && out->stream_ == nullptr) {
        out->openStream(); // a failure is dropped by the next retry tick
    }
}

void PulseOutput::OnStreamState(pa_stream* stream, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    Signal(out->loop_);
    if (!out->opened_) {
        return;
    }
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (state == PA_STREAM_READY && !out->connected_.load()) {
        out->streamReady();
    } else if (!PA_STREAM_IS_GOOD(state)) {
        out->connectionLost();
    }
}

// Mainloop thread. The dead connection is dropped by the retry tick, outside its own callbacks.
void PulseOutput::connectionLost()
{
    if (!connected_.exchange(false)) {
        return;
    }
    losses_.fetch_add(1);
    if (running_.load()) {
        startStandIn();
    }
    armRetry();
}

// Mainloop thread: a new stream is ready after a loss. It takes over from the stand-in at once.
void PulseOutput::streamReady()
{
    standIn_.reset();
    if (running_.load()) {
        uncork();
    }
    connected_.store(true);
}

void PulseOutput::startStandIn()
{
    if (!standIn_) {
        standIn_ = std::make_unique<NullOutput>(rate_, channels_, render_);
        standIn_->start();
    }
}

void PulseOutput::armRetry()
{
    if (retry_ != nullptr) {
        return;
    }
    retryTicks_ = kAttemptTicks; // the first tick drops the dead connection and tries anew
    timeval when{};
    pa_timeval_add(pa_gettimeofday(&when), static_cast<pa_usec_t>(kRetryMs) * PA_USEC_PER_MSEC);
    retry_ = pa_threaded_mainloop_get_api(loop_)->time_new(pa_threaded_mainloop_get_api(loop_), &when,
                                                           &PulseOutput::OnRetry, this);
}

void PulseOutput::OnRetry(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self)
{
    static_cast<PulseOutput*>(self)->retryTick();
}

void PulseOutput::retryTick()
{
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
    if (connected_.load()) {
        api->time_free(retry_);
        retry_ = nullptr;
        return;
    }
    const bool failed = context_ == nullptr || !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)) ||
                        (stream_ != nullptr && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) ||
                        (stream_ == nullptr && pa_context_get_state(context_) == PA_CONTEXT_READY);
    if (failed || ++retryTicks_ > kAttemptTicks) {
        // While the server's socket takes no connection the server is away: only every few
        // seconds is a real connection tried then, in case it came back somewhere else.
        const bool away = failed && !serverSocket_.empty() && ++probedAway_ < kAttemptTicks &&
                          !SocketAnswers(serverSocket_);
        if (!away) {
            probedAway_ = 0;
            dropConnection();
            retryTicks_ = 0;
            // The context's state callback opens the stream once the server answers.
            connectContext();
        }
    }
    timeval when{};
    pa_timeval_add(pa_gettimeofday(&when), static_cast<pa_usec_t>(kRetryMs) * PA_USEC_PER_MSEC);
    api->time_restart(retry_, &when);
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
        ThreadPriority::Raise();
        raised_ = true;
    }
    void* data = nullptr;
    if (pa_stream_begin_write(stream_, &data, &bytes) < 0 || data == nullptr) {
        return; // a connection that just died: its state callback follows
    }
    const int frames = static_cast<int>(bytes / (sizeof(float) * channels_));
    const std::uint64_t ticket = idle_.periodStart();
    const bool sounding = render_(static_cast<float*>(data), frames);
    if (pa_stream_write(stream_, data, static_cast<std::size_t>(frames) * sizeof(float) * channels_, nullptr,
                        0, PA_SEEK_RELATIVE) < 0) {
        return;
    }
    if (idle_.periodDone(ticket, sounding, frames)) {
        Drop(pa_stream_cork(stream_, 1, nullptr, nullptr));
    }
}

bool PulseOutput::start()
{
    if (!opened_) {
        return false;
    }
    if (running_.exchange(true)) {
        return true;
    }
    pa_threaded_mainloop_lock(loop_);
    if (connected_.load()) {
        uncork();
    } else {
        startStandIn();
    }
    pa_threaded_mainloop_unlock(loop_);
    return true;
}

void PulseOutput::uncork()
{
    idle_.resumed();
    Drop(pa_stream_cork(stream_, 0, nullptr, nullptr));
    const std::size_t writable = pa_stream_writable_size(stream_);
    fill(writable == static_cast<std::size_t>(-1) ? 0 : writable);
}

bool PulseOutput::wake()
{
    if (!running_.load() || (connected_.load() && !idle_.demand())) {
        return true;
    }
    pa_threaded_mainloop_lock(loop_);
    if (connected_.load()) {
        // The silence still queued stays: it plays out first (one buffer at most) and the server
        // then asks for more, which the sound fills. Flushing it would save that buffer but the
        // server's resumed mix drops the first few ms written after a flush: a cut start, heard
        // as a click.
        uncork();
        ++restarts_;
    } else if (standIn_) {
        standIn_->wake();
    }
    pa_threaded_mainloop_unlock(loop_);
    return true;
}

bool PulseOutput::stop()
{
    if (!opened_ || !running_.exchange(false)) {
        return true;
    }
    pa_threaded_mainloop_lock(loop_);
    if (connected_.load()) {
        Drop(pa_stream_cork(stream_, 1, nullptr, nullptr));
    }
    standIn_.reset();
    pa_threaded_mainloop_unlock(loop_);
    return true;
}
