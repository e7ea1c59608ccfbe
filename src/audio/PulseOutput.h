#pragma once

#include "audio/OutputDevice.h"
#include "audio/OutputIdle.h"

#include <atomic>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

// The system's default output straight on the sound server's own client library, where one
// answers. Through ALSA's plug-in every period wakes two threads (the device's and the
// plug-in's); here one thread renders on the server's request. After a stretch of silence the
// stream is corked, which costs no wake-ups and, unlike ending the stream, keeps the server's
// stream: the next play uncorks it, so the sound arrives whole, one buffer after the play, without
// the glitches a freshly built server stream shows on a busy machine. Same buffer as every
// output (OutputDevice::BufferMs): 16 ms, requested in 4 ms pieces. RBX_OUTPUT_PORTAUDIO (set to
// anything) sends the default output through PortAudio.
class PulseOutput : public OutputDevice
{
public:
    static constexpr int kIdleMs = OutputIdle::kDefaultIdleMs;

    PulseOutput(int rate, int channels, Render render);
    ~PulseOutput() override;
    // Connects to the sound server and opens a (corked) stream; false when no server answers.
    bool open();
    bool start() override;
    bool stop() override;
    bool running() const override { return running_.load(); }
    bool wake() override;
    int restarts() const override { return restarts_; }
    bool parked() const override { return idle_.parked(); }

private:
    static void OnWrite(pa_stream* stream, std::size_t bytes, void* self);
    void fill(std::size_t bytes); // mainloop thread, or any thread holding the mainloop's lock
    void uncork(); // with the mainloop's lock: runs again and writes what the server will take
    bool waitReady();
    void close();

    int rate_;
    int channels_;
    Render render_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool raised_ = false; // mainloop thread's: a caller's thread that fills keeps its priority
    int restarts_ = 0;
    OutputIdle idle_;
    std::atomic<bool> running_{false};
};
