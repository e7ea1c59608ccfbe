#include "audio/BlockRing.h"

#include <sys/mman.h>

BlockRing::~BlockRing()
{
    unlockStorage();
}

void BlockRing::unlockStorage()
{
    if (locked_) {
        munlock(storage_.data(), storage_.size() * sizeof(float));
        locked_ = false;
    }
}

void BlockRing::allocate(int blockCount, int framesPerBlock, int channels)
{
    unlockStorage();
    framesPerBlock_ = framesPerBlock;
    blocks_.assign(static_cast<std::size_t>(blockCount), PcmBlock{});
    storage_.assign(static_cast<std::size_t>(blockCount) * static_cast<std::size_t>(framesPerBlock) *
                        static_cast<std::size_t>(channels),
                    0.0f);
    // Beyond the allowance (an ordinary user's is a few MB) the ring stays unlocked but written through.
    locked_ = !storage_.empty() && mlock(storage_.data(), storage_.size() * sizeof(float)) == 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        blocks_[i].samples = storage_.data() + i * static_cast<std::size_t>(framesPerBlock) *
                                                   static_cast<std::size_t>(channels);
    }
    head_.store(0);
    tail_.store(0);
}

PcmBlock* BlockRing::writeSlot()
{
    const std::size_t head = head_.load(std::memory_order_relaxed);
    const std::size_t tail = tail_.load(std::memory_order_acquire);
    if (blocks_.empty() || head - tail >= blocks_.size()) {
        return nullptr;
    }
    return &blocks_[head % blocks_.size()];
}

void BlockRing::commitWrite()
{
    head_.fetch_add(1, std::memory_order_release);
}

int BlockRing::filled() const
{
    return static_cast<int>(head_.load(std::memory_order_acquire) - tail_.load(std::memory_order_acquire));
}

PcmBlock* BlockRing::readSlot()
{
    const std::size_t tail = tail_.load(std::memory_order_relaxed);
    const std::size_t head = head_.load(std::memory_order_acquire);
    if (head == tail) {
        return nullptr;
    }
    return &blocks_[tail % blocks_.size()];
}

void BlockRing::commitRead()
{
    tail_.fetch_add(1, std::memory_order_release);
}
