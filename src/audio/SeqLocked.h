#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <type_traits>

// A small record one thread writes and others read without ever waiting on the writer. The device
// callback reads effect and volume settings this way. Two copies: a write fills the copy readers
// are not directed to and then directs them to it, so a writer stopped half-way (the window's
// thread preempted on a busy machine) leaves the last whole record readable. A reader retries
// only when a copy changed under it, which takes two further writes while it reads. One writer at
// a time (the engine's API lock serialises writers).
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
        const std::uint32_t next = (current_.load(std::memory_order_relaxed) + 1U) & 1U;
        copies_[next].store(raw);
        current_.store(next, std::memory_order_release);
        version_.fetch_add(1, std::memory_order_release);
    }

    T read() const
    {
        std::array<std::uint64_t, kWords> raw{};
        while (!copies_[current_.load(std::memory_order_acquire)].load(raw)) {
        }
        T value;
        std::memcpy(static_cast<void*>(&value), raw.data(), sizeof(T));
        return value;
    }

    // Changes with every write; readers compare it to notice new settings cheaply.
    std::uint32_t version() const { return version_.load(std::memory_order_acquire); }

private:
    struct Copy {
        std::atomic<std::uint32_t> seq{0}; // odd while a write is under way
        std::array<std::atomic<std::uint64_t>, kWords> words{};

        void store(const std::array<std::uint64_t, kWords>& raw)
        {
            const std::uint32_t s = seq.load(std::memory_order_relaxed);
            seq.store(s + 1, std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_release);
            for (std::size_t i = 0; i < kWords; ++i) {
                words[i].store(raw[i], std::memory_order_relaxed);
            }
            seq.store(s + 2, std::memory_order_release);
        }

        // False when a write was under way or came between: the caller looks again.
        bool load(std::array<std::uint64_t, kWords>& raw) const
        {
            const std::uint32_t s1 = seq.load(std::memory_order_acquire);
            if ((s1 & 1U) != 0) {
                return false;
            }
            for (std::size_t i = 0; i < kWords; ++i) {
                raw[i] = words[i].load(std::memory_order_relaxed);
            }
            std::atomic_thread_fence(std::memory_order_acquire);
            return seq.load(std::memory_order_relaxed) == s1;
        }
    };

    std::array<Copy, 2> copies_{};
    std::atomic<std::uint32_t> current_{0};
    std::atomic<std::uint32_t> version_{0};
};
