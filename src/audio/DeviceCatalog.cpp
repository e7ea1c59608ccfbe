#include "audio/DeviceCatalog.h"

#include "audio/OutputBackend.h"

#include <condition_variable>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

// What the helper thread found. Written by the helper alone until `done`, then never again.
struct DeviceCatalog::Probe
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool ready = false; // PortAudio started
    std::vector<std::string> names;
    std::vector<int> indices;
};

DeviceCatalog& DeviceCatalog::instance()
{
    static DeviceCatalog catalog;
    return catalog;
}

DeviceCatalog::DeviceCatalog() : probe_(std::make_shared<Probe>())
{}

DeviceCatalog::~DeviceCatalog()
{
    if (!helper_.joinable()) {
        return;
    }
    bool done = false;
    {
        std::lock_guard<std::mutex> lock(probe_->mutex);
        done = probe_->done;
    }
    if (!done) {
        // Still held by the sound server: the exit must not wait for it.
        helper_.detach();
        return;
    }
    helper_.join();
    if (probe_->ready) {
        OutputBackend::TerminatePortAudio();
    }
}

void DeviceCatalog::SetQuietEnvironment()
{
    setenv("JACK_NO_START_SERVER", "1", 0);
    setenv("JACK_NO_AUDIO_RESERVATION", "1", 0);
}

void DeviceCatalog::PrepareInBackground()
{
    std::call_once(started_, [this] {
        SetQuietEnvironment();
        helper_ = std::thread([probe = probe_] { RunProbe(*probe); });
    });
}

const DeviceCatalog::Probe* DeviceCatalog::load()
{
    PrepareInBackground();
    std::unique_lock<std::mutex> lock(probe_->mutex);
    const auto limit = waitedOut_ ? std::chrono::seconds(0) : kProbeLimit;
    if (!probe_->finished.wait_for(lock, limit, [this] { return probe_->done; })) {
        waitedOut_ = true;
        return nullptr;
    }
    return probe_.get();
}

void DeviceCatalog::RunProbe(Probe& probe)
{
    std::vector<std::string> names{"No sound"};
    std::vector<int> indices{-1};
    OutputBackend::PortAudioOutputs outputs = OutputBackend::ProbePortAudio();
    names.insert(names.end(), outputs.names.begin(), outputs.names.end());
    indices.insert(indices.end(), outputs.indices.begin(), outputs.indices.end());
    std::lock_guard<std::mutex> lock(probe.mutex);
    probe.names = std::move(names);
    probe.indices = std::move(indices);
    probe.ready = outputs.ready;
    probe.done = true;
    probe.finished.notify_all();
}

const char* DeviceCatalog::description(int device)
{
    if (device == 0) {
        return "No sound";
    }
    const Probe* probe = device > 0 ? load() : nullptr;
    if (probe == nullptr || device >= static_cast<int>(probe->names.size())) {
        return nullptr;
    }
    return probe->names[static_cast<std::size_t>(device)].c_str();
}

int DeviceCatalog::portAudioIndex(int device)
{
    const Probe* probe = device > 0 ? load() : nullptr;
    if (probe == nullptr || device >= static_cast<int>(probe->indices.size())) {
        return -1;
    }
    return probe->indices[static_cast<std::size_t>(device)];
}

bool DeviceCatalog::portAudioReady()
{
    const Probe* probe = load();
    return probe != nullptr && probe->ready;
}
