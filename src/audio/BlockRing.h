#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

// One block of processed sound at the output rate, with the source position of its first frame
// so the mixer can report where in the file it is, whatever tempo or rate made the block.
struct PcmBlock {
    float* samples = nullptr;   // interleaved, output channels
    int frames = 0;
    double sourceStartFrame = 0.0;
    double sourceFramesPerFrame = 1.0;
    std::uint32_t generation = 0; // blocks of an older generation were cut off by a seek
    std::uint32_t loopPass = 0;   // counts the returns to the start of a looping stream
};

// Single-producer (the feeder), single-consumer (the mixer) ring of blocks. All memory is
// allocated by allocate() before the ring is shared; neither side ever allocates or locks. The
// samples' memory is written through once there and locked in memory where the system allows, so
// the output thread never meets a page fault in it (a busy machine may otherwise page it out).
class BlockRing {
public:
    BlockRing() = default;
    ~BlockRing();
    BlockRing(const BlockRing&) = delete;
    BlockRing& operator=(const BlockRing&) = delete;

    void allocate(int blockCount, int framesPerBlock, int channels);
    bool allocated() const { return !blocks_.empty(); }
    int framesPerBlock() const { return framesPerBlock_; }
    int capacity() const { return static_cast<int>(blocks_.size()); }

    // Producer side.
    PcmBlock* writeSlot();   // nullptr when full
    void commitWrite();
    int filled() const;

    // Consumer side.
    PcmBlock* readSlot();    // nullptr when empty
    void commitRead();

private:
    void unlockStorage();

    std::vector<PcmBlock> blocks_;
    std::vector<float> storage_;
    bool locked_ = false;
    int framesPerBlock_ = 0;
    std::atomic<std::size_t> head_{0}; // next block to write (producer)
    std::atomic<std::size_t> tail_{0}; // next block to read (consumer)
};
