#pragma once
// Our figure beside its peer's from the same run. The machine is shared, so the two are measured
// in alternating rounds (ours first in even rounds, the peer first in odd ones) and each side is
// reported as min / median / max over its rounds. scripts/bench-figures.sh prints every
// benchmark that carries these counters as one line "name: ours ... / peer ...".
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace side_by_side {

struct Rounds
{
    std::vector<double> ours;
    std::vector<double> peer;
};

// Runs `rounds` rounds of ours() and peer() (each returns one figure), alternating their order.
template <typename Ours, typename Peer>
Rounds Alternate(int rounds, Ours ours, Peer peer)
{
    Rounds r;
    for (int i = 0; i < rounds; ++i) {
        if (i % 2 == 0) {
            r.ours.push_back(ours());
            r.peer.push_back(peer());
        } else {
            r.peer.push_back(peer());
            r.ours.push_back(ours());
        }
    }
    return r;
}

inline void Spread(benchmark::State& state, const std::string& side, std::vector<double> values)
{
    if (values.empty()) {
        return;
    }
    std::sort(values.begin(), values.end());
    state.counters[side + "_min"] = values.front();
    state.counters[side + "_median"] = values[values.size() / 2];
    state.counters[side + "_max"] = values.back();
}

// Counters ours_min/_median/_max and peer_min/_median/_max; the label names the unit and the peer.
inline void Report(benchmark::State& state, const Rounds& rounds, const std::string& unit,
                   const std::string& peer)
{
    Spread(state, "ours", rounds.ours);
    Spread(state, "peer", rounds.peer);
    state.SetLabel(unit + "; peer: " + peer);
}

} // namespace side_by_side
