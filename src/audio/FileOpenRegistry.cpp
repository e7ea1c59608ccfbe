#include "FileOpenRegistry.h"

#include "BassErrorCodes.h"
#include "ThreadWaitTime.h"

#include <system_error>
#include <thread>

namespace {
// The processor time an open may spend before its file is refused as unsupported: a good file's
// header costs a few ms (a large cover picture some tens), a file padded with a long run of zero
// bytes costs seconds.
constexpr auto kMaxDecoderWork = std::chrono::milliseconds(200);
// How long storage may keep an open waiting before the file is refused as one that cannot be
// opened (a share that went away).
constexpr auto kMaxStorageWait = std::chrono::seconds(10);
// How long a file refused for its decoder's work is refused again without a new attempt.
constexpr auto kRefusedFileMemory = std::chrono::seconds(3);
// How long a file whose open went on in the background is taken for one on slow storage: its
// further opens (a second stream, the skip over leading silence) are not waited for at all.
constexpr auto kSlowFileMemory = std::chrono::seconds(30);
// An open that took longer than this marks its file as one on slow storage too (a file on a disk
// at rest opens in a millisecond or two).
constexpr auto kSlowOpen = std::chrono::milliseconds(10);
// How long a source opened for a caller that stopped waiting is kept for its next ask, and how
// many are kept at once.
constexpr auto kFinishedOpenLife = std::chrono::seconds(30);
constexpr std::size_t kMaxFinishedOpens = 16;
// How often the watch looks at the opens under way.
constexpr auto kWatchInterval = std::chrono::milliseconds(10);
// How long an opener thread beyond the first waits for work before it ends.
constexpr auto kSpareOpenerLife = std::chrono::seconds(10);
} // namespace

// One open on an opener thread. Its state is guarded by the registry's mutex.
struct FileOpenRegistry::Open
{
    std::string path;
    int outputChannels = 2;
    std::atomic<bool> stop{false};
    Clock::time_point askedAt;
    // Set by the opener as it takes the job: whose processor time is measured, and from what.
    bool begun = false;
    pid_t opener = 0;
    std::chrono::nanoseconds runAtStart{0};
    // Nobody waits for it any more: its result is kept for the next ask of the same file.
    bool background = false;
    bool done = false;
    std::unique_ptr<PcmSource> source;
    int errorCode = 0;
};

std::shared_ptr<FileOpenRegistry::Open> FileOpenRegistry::start(const std::string& path, int outputChannels)
{
    std::lock_guard lock(mutex_);
    for (const auto& job : running_) {
        if (job->path == path && job->outputChannels == outputChannels) {
            return job;
        }
    }
    auto job = std::make_shared<Open>();
    job->path = path;
    job->outputChannels = outputChannels;
    job->askedAt = Clock::now();
    queue_.push_back(job);
    if (idle_ < static_cast<int>(queue_.size())) {
        try {
            std::thread([this] { work(); }).detach();
            ++threads_;
        } catch (const std::system_error&) {
            queue_.pop_back();
            return nullptr;
        }
    }
    running_.push_back(job);
    ready_.notify_one();
    startWatch();
    watched_.notify_one();
    return job;
}

bool FileOpenRegistry::wait(const std::shared_ptr<Open>& job, std::chrono::milliseconds maxWait,
                            std::unique_ptr<PcmSource>& source, int& errorCode)
{
    std::unique_lock lock(mutex_);
    job->background = false; // an open asked for again has a waiter again
    const auto done = [&] { return job->done; };
    const Clock::time_point asked = Clock::now();
    if (maxWait == std::chrono::milliseconds::max()) {
        finished_.wait(lock, done); // the watch ends every open in time
    } else if (!finished_.wait_for(lock, maxWait, done)) {
        job->background = true;
        slow_.emplace_back(job->path, Clock::now());
        return false;
    } else if (Clock::now() - asked > kSlowOpen) {
        // Done in time, but slowly: the file's further opens must not add their waits to this one.
        slow_.emplace_back(job->path, Clock::now());
    }
    source = std::move(job->source);
    errorCode = job->errorCode;
    return true;
}

bool FileOpenRegistry::takeFinished(const std::string& path, int outputChannels, std::unique_ptr<PcmSource>& source,
                                    int& errorCode)
{
    std::lock_guard lock(mutex_);
    dropExpired();
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if (it->path == path && it->outputChannels == outputChannels) {
            source = std::move(it->source);
            errorCode = it->errorCode;
            kept_.erase(it);
            return true;
        }
    }
    return false;
}

bool FileOpenRegistry::opening(const std::string& path)
{
    std::lock_guard lock(mutex_);
    for (const auto& job : running_) {
        if (job->path == path) {
            return true;
        }
    }
    return false;
}

bool FileOpenRegistry::IsNoted(Noted& noted, const std::string& path, Clock::duration memory)
{
    while (!noted.empty() && Clock::now() - noted.front().second > memory) {
        noted.pop_front();
    }
    for (const auto& [file, at] : noted) {
        if (file == path) {
            return true;
        }
    }
    return false;
}

bool FileOpenRegistry::recentlyRefused(const std::string& path)
{
    std::lock_guard lock(mutex_);
    return IsNoted(refused_, path, kRefusedFileMemory);
}

bool FileOpenRegistry::knownSlow(const std::string& path)
{
    std::lock_guard lock(mutex_);
    return IsNoted(slow_, path, kSlowFileMemory);
}

void FileOpenRegistry::setListener(std::function<void()> listener)
{
    std::lock_guard lock(listenerMutex_);
    listener_ = std::move(listener);
}

void FileOpenRegistry::setGate(std::function<void()> gate)
{
    std::lock_guard lock(mutex_);
    gate_ = std::move(gate);
}

void FileOpenRegistry::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idle_;
        const bool got = ready_.wait_for(lock, kSpareOpenerLife, [&] { return !queue_.empty(); });
        --idle_;
        if (!got) {
            if (threads_ > 1) {
                --threads_;
                return;
            }
            continue;
        }
        const std::shared_ptr<Open> job = std::move(queue_.front());
        queue_.pop_front();
        job->begun = true;
        job->opener = CurrentThreadId();
        job->runAtStart = ThreadRunTime(job->opener);
        const std::function<void()> gate = gate_;
        lock.unlock();
        if (gate) {
            gate();
        }
        // The decoder's first load (FFmpeg read from disk on a cold start) happens here too, not
        // on a waiting caller's thread.
        int code = BassError::Codec;
        std::unique_ptr<PcmSource> source;
        if (const OpenFunction open = decoder_()) {
            code = BassError::Unknown;
            source.reset(open(job->path.c_str(), job->outputChannels, &job->stop, &code));
        }
        lock.lock();
        if (!job->done) {
            finish(*job, std::move(source), code);
        }
        // else the watch refused it meanwhile: what it opened goes with it.
    }
}

// Under the mutex. The waiter takes the result; with nobody waiting it is kept and the listener
// told.
void FileOpenRegistry::finish(Open& job, std::unique_ptr<PcmSource> source, int code)
{
    job.done = true;
    std::erase_if(running_, [&](const auto& other) { return other.get() == &job; });
    if (!job.background) {
        job.source = std::move(source);
        job.errorCode = code;
        finished_.notify_all();
        return;
    }
    dropExpired();
    if (kept_.size() >= kMaxFinishedOpens) {
        kept_.pop_front();
    }
    kept_.push_back(Finished{job.path, job.outputChannels, std::move(source), code, Clock::now()});
    notifyListener();
}

void FileOpenRegistry::dropExpired()
{
    while (!kept_.empty() && Clock::now() - kept_.front().at > kFinishedOpenLife) {
        kept_.pop_front();
    }
}

void FileOpenRegistry::notifyListener()
{
    // After the result is kept; the listener only schedules its work.
    std::lock_guard lock(listenerMutex_);
    if (listener_) {
        listener_();
    }
}

void FileOpenRegistry::startWatch()
{
    if (watching_) {
        return;
    }
    try {
        std::thread([this] { watch(); }).detach();
        watching_ = true;
    } catch (const std::system_error&) {
        // Without the watch an open is not cut short; it still ends when its file does.
    }
}

void FileOpenRegistry::watch()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        // Asleep while no open is under way: an idle program does not wake for it.
        watched_.wait(lock, [&] { return !running_.empty(); });
        watched_.wait_for(lock, kWatchInterval);
        const Clock::time_point now = Clock::now();
        std::vector<std::shared_ptr<Open>> over;
        for (const auto& job : running_) {
            if (job->begun && ThreadRunTime(job->opener) - job->runAtStart > kMaxDecoderWork) {
                refused_.emplace_back(job->path, now);
                job->errorCode = BassError::FileFormat;
                over.push_back(job);
            } else if (now - job->askedAt > kMaxStorageWait) {
                job->errorCode = BassError::FileOpen;
                over.push_back(job);
            }
        }
        for (const auto& job : over) {
            // The opener gives up at its next read of the file; its result is not waited for.
            job->stop.store(true);
            std::erase(queue_, job);
            finish(*job, nullptr, job->errorCode);
        }
    }
}
