#pragma once

#include <string>
#include <vector>

// The output devices as the engine numbers them: 0 "No sound", 1 the system's default output,
// 2.. the other outputs PortAudio knows, in PortAudio's order, which is fixed for the run because
// PortAudio is started once. ALSA's and JACK's complaints while probing are kept off stderr.
// Process-wide; GUI thread.
class DeviceCatalog {
public:
    static DeviceCatalog& instance();

    // nullptr past the last device. The text stays valid for the whole run.
    const char* description(int device);
    // PortAudio's index for device 1.. (-1 when there is no such output).
    int portAudioIndex(int device);
    bool portAudioReady();

private:
    DeviceCatalog() = default;
    ~DeviceCatalog();
    void load();

    bool loaded_ = false;
    bool ready_ = false;
    std::vector<std::string> names_;
    std::vector<int> indices_;
};
