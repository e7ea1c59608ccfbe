#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

// The output devices as the engine numbers them: 0 "No sound", 1 the system's default output,
// 2.. the other outputs PortAudio knows, in PortAudio's order, which is fixed for the run because
// PortAudio is started once. ALSA's and JACK's complaints while probing are kept off stderr.
// Probing takes tens of ms (ALSA opens every card's configuration, JACK looks for a server), so
// it runs on a helper thread, started by the program once its window is painted
// (PrepareInBackground) or by the first caller, and callers wait for it. The wait is bounded: a sound server that takes ALSA's
// connection and never answers holds the probe for good, and the program must go on (with no
// outputs but "No sound") rather than freeze. Process-wide; GUI thread.
class DeviceCatalog
{
public:
    // How long the first caller waits for the probe; later callers do not wait again.
    static constexpr std::chrono::seconds kProbeLimit{10};

    static DeviceCatalog& instance();

    // nullptr past the last device. The text stays valid for the whole run.
    const char* description(int device);
    // PortAudio's index for device 1.. (-1 when there is no such output).
    int portAudioIndex(int device);
    bool portAudioReady();
    // Starts the probe on its helper thread, once. GUI thread, before any other thread reads the
    // environment, unless SetQuietEnvironment ran first (it sets the JACK variables).
    void PrepareInBackground();
    // Sets the JACK variables the probe needs (no server started, no device reserved); a variable
    // already set is left alone. Before any other thread runs.
    static void SetQuietEnvironment();

private:
    struct Probe;

    DeviceCatalog();
    ~DeviceCatalog();
    const Probe* load();
    static void RunProbe(Probe& probe);

    std::once_flag started_;
    std::shared_ptr<Probe> probe_; // shared with the helper thread, which may outlive a wait
    std::thread helper_;
    bool waitedOut_ = false;
};
