#pragma once
// The sound-file opens under way on opener threads, and those that finished with nobody waiting
// (their sources kept for the next ask of the same file). A watch refuses a file whose decoder
// works too long (FileFormat) or whose storage has not delivered it in time (FileOpen); waiting
// for storage or for a processor never counts as the decoder's work. One opener thread is enough
// while opens are quick; another starts only when every one is busy, so a slow file never holds
// up the next, and threads beyond the first end after a while without work.
#include "PcmSource.h"

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

using OpenFunction = PcmSource* (*)(const char*, int, const std::atomic<bool>*, int*);

class FileOpenRegistry
{
public:
    using Clock = std::chrono::steady_clock;
    // The decoder is asked for on the opener thread, so its first load never holds up a caller.
    explicit FileOpenRegistry(OpenFunction (*decoder)()) : decoder_(decoder) {}

    struct Open;
    // Starts an open, or finds the one of the same file already under way. Null when no thread
    // could be started for it.
    std::shared_ptr<Open> start(const std::string& path, int outputChannels);
    // Waits at most maxWait (milliseconds::max(): until it is done) for the open. True with its
    // result when it finished; false when it goes on in the background.
    bool wait(const std::shared_ptr<Open>& job, std::chrono::milliseconds maxWait,
              std::unique_ptr<PcmSource>& source, int& errorCode);
    // The result of an open of this file that finished in the background; false when none is kept.
    bool takeFinished(const std::string& path, int outputChannels, std::unique_ptr<PcmSource>& source,
                      int& errorCode);
    bool opening(const std::string& path);
    // Refused for its decoder's work a moment ago.
    bool recentlyRefused(const std::string& path);
    // Its open went on in the background a while ago: it sits on slow storage.
    bool knownSlow(const std::string& path);
    // Told on the opener's thread each time an open in the background has finished.
    void setListener(std::function<void()> listener);
    // Tests: each open calls this on its opener thread before it starts, and waits in it.
    void setGate(std::function<void()> gate);

private:
    struct Finished
    {
        std::string path;
        int outputChannels = 2;
        std::unique_ptr<PcmSource> source;
        int errorCode = 0;
        Clock::time_point at;
    };
    using Noted = std::deque<std::pair<std::string, Clock::time_point>>;

    void work();
    void finish(Open& job, std::unique_ptr<PcmSource> source, int code);
    void dropExpired();
    void notifyListener();
    void startWatch();
    void watch();
    static bool IsNoted(Noted& noted, const std::string& path, Clock::duration memory);

    OpenFunction (*decoder_)();
    std::mutex mutex_;
    std::condition_variable ready_;
    std::condition_variable finished_;
    std::condition_variable watched_;
    std::deque<std::shared_ptr<Open>> queue_;
    std::vector<std::shared_ptr<Open>> running_;
    std::deque<Finished> kept_;
    Noted refused_;
    Noted slow_;
    int idle_ = 0;
    int threads_ = 0;
    bool watching_ = false;
    std::mutex listenerMutex_;
    std::function<void()> listener_;
    std::function<void()> gate_;
};
