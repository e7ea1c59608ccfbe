#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The output devices as the engine numbers them: 0 "No sound", 1 the system's default output,
// 2.. the other outputs PortAudio knows, in PortAudio's order, which is fixed for the run because
// PortAudio is started once. ALSA's and JACK's complaints while probing are kept off stderr.
// Probing takes tens of ms (ALSA opens every card's configuration, JACK looks for a server), so
// the program starts it on a helper thread first thing (PrepareInBackground) and the first
// caller that needs the list waits for it to finish. Process-wide; GUI thread (apart from the
// helper thread's probe).
class DeviceCatalog
{
public:
    static DeviceCatalog& instance();

    // nullptr past the last device. The text stays valid for the whole run.
    const char* description(int device);
    // PortAudio's index for device 1.. (-1 when there is no such output).
    int portAudioIndex(int device);
    bool portAudioReady();
    // Starts the probe on a helper thread, once; the calls above wait for it. GUI thread, before
    // any other thread reads the environment (it sets the JACK variables first).
    void PrepareInBackground();

private:
    DeviceCatalog() = default;
    ~DeviceCatalog();
    void load();
    void probe();
    static void SetQuietEnvironment();

    std::once_flag once_;
    bool background_ = false; // set before the helper thread starts
    std::thread helper_;
    bool ready_ = false;
    std::vector<std::string> names_;
    std::vector<int> indices_;
};
