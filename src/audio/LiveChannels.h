#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class Channel;

// The streams the feeder and the mixer work on: a fixed table of pointers that the GUI thread
// fills and clears, and that the two worker sides read without locks. A stream taken out of the
// table is kept alive until both workers have finished the pass that might still hold it
// (each pass is bracketed by an epoch counter that is odd while the pass runs).
class LiveChannels {
public:
    static constexpr int kSlots = 32;

    // GUI thread.
    bool add(const std::shared_ptr<Channel>& channel);
    void remove(const std::shared_ptr<Channel>& channel);
    void removeAll();
    // Releases retired streams no worker can still see.
    void reap();

    // Worker side: bracket every pass over the table.
    enum Worker { Mixer = 0, Feeder = 1 };
    void enter(Worker w) { epochs_[w].fetch_add(1); }
    void leave(Worker w) { epochs_[w].fetch_add(1); }
    Channel* at(int slot) const { return slots_[static_cast<std::size_t>(slot)].load(); }

private:
    struct Retired {
        std::shared_ptr<Channel> channel;
        std::uint64_t epochs[2];
    };
    bool safe(const Retired& r) const;

    std::array<std::atomic<Channel*>, kSlots> slots_{};
    std::array<std::shared_ptr<Channel>, kSlots> owners_{};
    std::array<std::atomic<std::uint64_t>, 2> epochs_{};
    std::vector<Retired> retired_;
};
