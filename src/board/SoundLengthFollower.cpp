#include "board/SoundLengthFollower.h"

#include <utility>

SoundLengthFollower::SoundLengthFollower(QObject* parent) : QObject(parent)
{
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, &SoundLengthFollower::Poll);
}

SoundLengthFollower::~SoundLengthFollower()
{
    for (const Followed& f : pending_) {
        BASS_StreamFree(f.stream);
    }
}

void SoundLengthFollower::Measure(BassHandle stream, Measured measured)
{
    bool exact = false;
    const std::int64_t lengthBytes = BassChannelGetLengthWithin(stream, kWaitMs, exact);
    measured(stream, lengthBytes, false);
    if (exact || lengthBytes < 0) {
        BASS_StreamFree(stream);
        return;
    }
    pending_.push_back({stream, std::move(measured)});
    timer_.start();
}

void SoundLengthFollower::Poll()
{
    // Taken out first: a handler may place another file, which adds to the list.
    std::vector<Followed> asked = std::move(pending_);
    pending_.clear();
    for (Followed& f : asked) {
        bool exact = false;
        const std::int64_t lengthBytes = BassChannelGetLengthWithin(f.stream, 0, exact);
        if (!exact && lengthBytes >= 0) {
            pending_.push_back(std::move(f));
            continue;
        }
        if (lengthBytes >= 0) {
            f.measured(f.stream, lengthBytes, true);
        }
        BASS_StreamFree(f.stream);
    }
    if (pending_.empty()) {
        timer_.stop();
    }
}
