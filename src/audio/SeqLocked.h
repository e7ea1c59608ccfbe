#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <type_traits>

// A small record one thread writes and others read without ever waiting on a lock: the reader
// retries while a write is under way. The device callback reads effect and volume settings this
// way. One writer at a time (the engine's API lock serialises writers).
template <class T>
class SeqLocked {
    static_assert(std::is_trivially_copyable_v<T>);
    static constexpr std::size_t kWords = (sizeof(T) + 7) / 8;

public:
    explicit SeqLocked(const T& value = T{}) { write(value); }

    void write(const T& value)
    {
        std::array<std::uint64_t, kWords> raw{};
        std::memcpy(raw.data(), &value, sizeof(T));
        const std::uint32_t s = seq_.load(std::memory_order_relaxed);
        seq_.store(s + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        for (std::size_t i = 0; i < kWords; ++i) {
            words_[i].store(raw[i], std::memory_order_relaxed);
        }
        seq_.store(s + 2, std::memory_order_release);
    }

    T read() const
    {
        std::array<std::uint64_t, kWords> raw{};
        for (;;) {
            const std::uint32_t s1 = seq_.load(std::memory_order_acquire);
            if ((s1 & 1U) != 0) {
                continue;
            }
            for (std::size_t i = 0; i < kWords; ++i) {
                raw[i] = words_[i].load(std::memory_order_relaxed);
            }
            std::atomic_thread_fence(std::memory_order_acquire);
            if (seq_.load(std::memory_order_relaxed) == s1) {
                break;
            }
        }
        T value;
        std::memcpy(static_cast<void*>(&value), raw.data(), sizeof(T));
        return value;
    }

    // Changes with every write; readers compare it to notice new settings cheaply.
    std::uint32_t version() const { return seq_.load(std::memory_order_acquire); }

private:
    std::atomic<std::uint32_t> seq_{0};
    std::array<std::atomic<std::uint64_t>, kWords> words_{};
};
