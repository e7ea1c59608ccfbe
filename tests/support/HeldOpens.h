#pragma once
// Storage as slow as a test needs: every sound-file open waits on its opener thread until the
// test releases it, so a call that may wait only briefly sees the open still under way.
#include "audio/FileDecoder.h"

#include <condition_variable>
#include <memory>
#include <mutex>

class HeldOpens
{
public:
    HeldOpens()
    {
        SetAudioFileOpenGate([latch = latch_] {
            std::unique_lock lock(latch->mutex);
            latch->changed.wait(lock, [&] { return latch->released; });
        });
    }
    ~HeldOpens()
    {
        Release();
        SetAudioFileOpenGate({});
    }
    HeldOpens(const HeldOpens&) = delete;
    HeldOpens& operator=(const HeldOpens&) = delete;

    void Release()
    {
        {
            std::lock_guard lock(latch_->mutex);
            latch_->released = true;
        }
        latch_->changed.notify_all();
    }

private:
    struct Latch
    {
        std::mutex mutex;
        std::condition_variable changed;
        bool released = false;
    };
    std::shared_ptr<Latch> latch_ = std::make_shared<Latch>();
};
