#include "audio/LiveChannels.h"

#include "audio/Channel.h"

#include <algorithm>

bool LiveChannels::add(const std::shared_ptr<Channel>& channel)
{
    reap();
    for (int i = 0; i < kSlots; ++i) {
        if (!owners_[static_cast<std::size_t>(i)]) {
            owners_[static_cast<std::size_t>(i)] = channel;
            slots_[static_cast<std::size_t>(i)].store(channel.get());
            return true;
        }
    }
    return false;
}

void LiveChannels::remove(const std::shared_ptr<Channel>& channel)
{
    for (int i = 0; i < kSlots; ++i) {
        auto& owner = owners_[static_cast<std::size_t>(i)];
        if (owner == channel) {
            slots_[static_cast<std::size_t>(i)].store(nullptr);
            retired_.push_back({std::move(owner), {epochs_[0].load(), epochs_[1].load()}});
            owner.reset();
        }
    }
    reap();
}

void LiveChannels::removeAll()
{
    for (int i = 0; i < kSlots; ++i) {
        auto& owner = owners_[static_cast<std::size_t>(i)];
        if (owner) {
            slots_[static_cast<std::size_t>(i)].store(nullptr);
            retired_.push_back({std::move(owner), {epochs_[0].load(), epochs_[1].load()}});
            owner.reset();
        }
    }
    reap();
}

bool LiveChannels::safe(const Retired& r) const
{
    for (int w = 0; w < 2; ++w) {
        const std::uint64_t seen = r.epochs[w];
        // Outside a pass then, or a pass has ended since: the worker cannot hold the pointer.
        if ((seen & 1U) != 0 && epochs_[static_cast<std::size_t>(w)].load() == seen) {
            return false;
        }
    }
    return true;
}

void LiveChannels::reap()
{
    retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                  [this](const Retired& r) { return safe(r); }),
                   retired_.end());
}
