#include "FileDecoder.h"

#include "BassErrorCodes.h"
#include "ModuleLoader.h"
#include "ThreadWaitTime.h"

#include <dlfcn.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

// Present when the decoder's objects are linked into the program (tests, benchmarks); otherwise
// it comes from the module.
extern "C" PcmSource* RbxOpenAudioFile(const char* path, int outputChannels, const std::atomic<bool>* stop,
                                       int* errorCode) __attribute__((weak));

namespace {
using OpenFunction = PcmSource* (*)(const char*, int, const std::atomic<bool>*, int*);
using Clock = std::chrono::steady_clock;

// How long a file refused for its slowness is refused again without a new attempt.
constexpr auto kSlowFileMemory = std::chrono::seconds(3);
// The longest a caller waits for an open however busy the machine keeps the opener.
constexpr auto kMaxOpenWaitOnBusyMachine = std::chrono::milliseconds(500);
// How long an opener thread beyond the first waits for work before it ends.
constexpr auto kSpareOpenerLife = std::chrono::seconds(10);

constexpr const char* kModuleName = "librbx_decoder.so";

// The module that was loaded, for the start-up probe; empty while none is.
std::string loadedModule;

OpenFunction Load()
{
    if (RbxOpenAudioFile != nullptr) {
        return &RbxOpenAudioFile;
    }
    void* module = LoadProgramModule(kModuleName, "RbxOpenAudioFile", loadedModule);
    return module != nullptr ? reinterpret_cast<OpenFunction>(dlsym(module, "RbxOpenAudioFile")) : nullptr;
}

OpenFunction Decoder()
{
    static const OpenFunction open = Load(); // loaded once; a second caller waits for the first
    return open;
}

// One open on an opener thread. Whoever lets go last (the waiter or the opener) frees it, and
// with it a source the waiter no longer wanted.
struct PendingOpen
{
    OpenFunction open = nullptr;
    std::string path;
    int outputChannels = 2;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::unique_ptr<PcmSource> source;
    int errorCode = 0;
    std::atomic<bool> stop{false};
    // Set by the opener as it takes the job, under the mutex: what the waiter measures from.
    bool begun = false;
    pid_t opener = 0;
    Clock::time_point begunAt;
    std::chrono::nanoseconds waitAtStart{0};
};

// Threads that open files for waiters with a time limit, kept for the next opens instead of one
// started per open. One is enough while opens are quick; another is started only when every one
// is busy (an open given up on that has not reached its next read yet), so a slow file never
// holds up the next. Threads beyond the first end after a while without work.
class Openers
{
public:
    // False when no thread could be started for it.
    bool start(const std::shared_ptr<PendingOpen>& job)
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(job);
        if (idle_ < static_cast<int>(jobs_.size())) {
            try {
                std::thread([this] { work(); }).detach();
                ++threads_;
            } catch (const std::system_error&) {
                jobs_.pop_back();
                return false;
            }
        }
        ready_.notify_one();
        return true;
    }

private:
    void work()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            ++idle_;
            const bool got = ready_.wait_for(lock, kSpareOpenerLife, [&] { return !jobs_.empty(); });
            --idle_;
            if (!got) {
                if (threads_ > 1) {
                    --threads_;
                    return;
                }
                continue;
            }
            const std::shared_ptr<PendingOpen> job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            Run(*job);
            lock.lock();
        }
    }
    static void Run(PendingOpen& job)
    {
        {
            std::lock_guard lock(job.mutex);
            job.begun = true;
            job.opener = CurrentThreadId();
            job.waitAtStart = ThreadWaitTime(job.opener);
            job.begunAt = Clock::now();
        }
        int code = BassError::Unknown;
        std::unique_ptr<PcmSource> source(job.open(job.path.c_str(), job.outputChannels, &job.stop, &code));
        std::lock_guard lock(job.mutex);
        job.source = std::move(source);
        job.errorCode = code;
        job.done = true;
        job.finished.notify_one();
    }

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::shared_ptr<PendingOpen>> jobs_;
    int idle_ = 0;
    int threads_ = 0;
};

Openers& FileOpeners()
{
    // Never destroyed: its threads wait on it until the process ends.
    static Openers* openers = new Openers;
    return *openers;
}

class SlowFiles
{
public:
    bool recent(const std::string& path)
    {
        std::lock_guard lock(mutex_);
        while (!refused_.empty() && Clock::now() - refused_.front().second > kSlowFileMemory) {
            refused_.pop_front();
        }
        for (const auto& [refused, at] : refused_) {
            if (refused == path) {
                return true;
            }
        }
        return false;
    }
    void note(const std::string& path)
    {
        std::lock_guard lock(mutex_);
        refused_.emplace_back(path, Clock::now());
    }

private:
    std::mutex mutex_;
    std::deque<std::pair<std::string, Clock::time_point>> refused_;
};

// Waits for the open until it is done or has taken more than maxWait of its own time: the time
// from when the opener took it, less what the opener waited for a processor. A busy machine that
// keeps the opener from running does not make a good file slow; a file the opener reads for long,
// or a disk that does not answer, does. However busy the machine, the wait ends after
// kMaxOpenWaitOnBusyMachine.
bool WaitForOpen(PendingOpen& job, std::chrono::milliseconds maxWait)
{
    constexpr auto kSlice = std::chrono::milliseconds(5);
    const Clock::time_point asked = Clock::now();
    std::unique_lock lock(job.mutex);
    for (;;) {
        if (job.finished.wait_for(lock, kSlice, [&] { return job.done; })) {
            return true;
        }
        const Clock::time_point now = Clock::now();
        if (now - asked > kMaxOpenWaitOnBusyMachine) {
            return false;
        }
        if (job.begun) {
            const auto starved = ThreadWaitTime(job.opener) - job.waitAtStart;
            if (now - job.begunAt - starved > maxWait) {
                return false;
            }
        }
    }
}

SlowFiles& RecentlySlowFiles()
{
    static SlowFiles files;
    return files;
}
} // namespace

bool AudioFileDecoderAvailable()
{
    return Decoder() != nullptr;
}

std::string AudioFileDecoderModule()
{
    return Decoder() != nullptr ? loadedModule : std::string();
}

void PrepareAudioFileDecoder()
{
    std::thread([] { Decoder(); }).detach();
}

std::unique_ptr<PcmSource> OpenAudioFile(const std::string& path, int outputChannels, int& errorCode)
{
    const OpenFunction open = Decoder();
    if (open == nullptr) {
        errorCode = BassError::Codec;
        return nullptr;
    }
    errorCode = BassError::Unknown;
    return std::unique_ptr<PcmSource>(open(path.c_str(), outputChannels, nullptr, &errorCode));
}

std::unique_ptr<PcmSource> OpenAudioFileWithin(const std::string& path, int outputChannels,
                                               std::chrono::milliseconds maxWait, int& errorCode)
{
    const OpenFunction open = Decoder();
    if (open == nullptr) {
        errorCode = BassError::Codec;
        return nullptr;
    }
    if (RecentlySlowFiles().recent(path)) {
        errorCode = BassError::FileFormat;
        return nullptr;
    }
    auto pending = std::make_shared<PendingOpen>();
    pending->open = open;
    pending->path = path;
    pending->outputChannels = outputChannels;
    if (!FileOpeners().start(pending)) {
        errorCode = BassError::Memory; // no thread to be had
        return nullptr;
    }
    if (!WaitForOpen(*pending, maxWait)) {
        // The opener gives up at its next read of the file; nobody waits for it.
        pending->stop.store(true);
        RecentlySlowFiles().note(path);
        errorCode = BassError::FileFormat;
        return nullptr;
    }
    std::lock_guard lock(pending->mutex);
    errorCode = pending->errorCode;
    return std::move(pending->source);
}
