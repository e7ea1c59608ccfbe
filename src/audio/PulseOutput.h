#pragma once

#include "audio/NullOutput.h"
#include "audio/OutputDevice.h"
#include "audio/OutputIdle.h"

#include <atomic>
#include <memory>
#include <string>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_time_event;
struct pa_mainloop_api;
struct timeval;

// The system's default output straight on the sound server's own client library, where one
// answers. Through ALSA's plug-in every period wakes two threads (the device's and the
// plug-in's); here one thread renders on the server's request. After a stretch of silence the
// stream is corked, which costs no wake-ups and, unlike ending the stream, keeps the server's
// stream: the next play uncorks it, so the sound arrives whole, one buffer after the play, without
// the glitches a freshly built server stream shows on a busy machine. Same buffer as every
// output (OutputDevice::BufferMs): 16 ms, requested in 4 ms pieces. RBX_OUTPUT_PORTAUDIO (set to
// anything) sends the default output through PortAudio.
//
// A server that goes away (killed, restarted, the desktop's sound service ended) must not end a
// show. From then on a silent stand-in renders in real time, so sounds play on, end and report
// positions as on a working device, and the output's own loop tries a new connection a few times
// a second; once the server takes a stream again the stand-in stops and the stream carries the
// sound from that moment on. losses() counts the connections lost, for the operator to be told.
class PulseOutput : public OutputDevice
{
public:
    static constexpr int kIdleMs = OutputIdle::kDefaultIdleMs;
    static constexpr int kRetryMs = 250;

    PulseOutput(int rate, int channels, Render render);
    ~PulseOutput() override;
    // Connects to the sound server and opens a (corked) stream; false when no server answers.
    bool open();
    bool start() override;
    bool stop() override;
    bool running() const override { return running_.load(); }
    bool wake() override;
    int restarts() const override { return restarts_; }
    bool parked() const override { return connected_.load() && idle_.parked(); }
    int losses() const override { return losses_.load(); }
    bool connected() const override { return connected_.load(); }

private:
    static void OnWrite(pa_stream* stream, std::size_t bytes, void* self);
    static void OnContextState(pa_context* context, void* self);
    static void OnStreamState(pa_stream* stream, void* self);
    static void OnRetry(pa_mainloop_api* api, pa_time_event* event, const struct timeval* when, void* self);
    void fill(std::size_t bytes); // mainloop thread, or any thread holding the mainloop's lock
    void uncork();                // with the mainloop's lock: runs again and writes what the server will take
    bool waitReady();
    void close();
    // With the mainloop's lock (or its thread stopped) from here on.
    bool connectContext();
    bool openStream();
    void dropConnection();
    void connectionLost();
    void streamReady();
    void armRetry();
    void retryTick();
    void startStandIn();

    int rate_;
    int channels_;
    Render render_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_time_event* retry_ = nullptr;
    int retryTicks_ = 0;                  // ticks the current connection attempt has taken
    int probedAway_ = 0;                  // ticks the server's socket took no connection
    std::string serverSocket_;            // the server's socket where it is on this machine
    bool opened_ = false;                 // open() succeeded: from then on a lost server is waited for
    std::unique_ptr<NullOutput> standIn_; // renders while the server is away
    bool raised_ = false; // mainloop thread's: a caller's thread that fills keeps its priority
    int restarts_ = 0;
    OutputIdle idle_;
    std::atomic<bool> running_{false};
    std::atomic<bool> connected_{false};
    std::atomic<int> losses_{0};
};
