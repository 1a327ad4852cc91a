#pragma once

// Tables derived from a set of rules, built once per set a library uses (a
// library uses one or two) and shared by all threads.

#include <atomic>

#include "engine/brahmic_tables.h"

namespace vexa::family::engine {

// T has a member `const Rules* rules` and a Fill(const Rules&) that builds
// the table and sets it. A slot is claimed, filled, then published; a reader
// takes only a published slot of the very rules asked for.
template <class T>
const T& PerRules(const Rules& rules) {
    constexpr int kSlots = 8;
    static T slots[kSlots];
    static std::atomic<int> state[kSlots];  // 0 free, 1 being filled, 2 ready
    for (int i = 0; i < kSlots; ++i) {
        int st = state[i].load(std::memory_order_acquire);
        if (st == 0 && state[i].compare_exchange_strong(st, 1, std::memory_order_acq_rel)) {
            slots[i].Fill(rules);
            state[i].store(2, std::memory_order_release);
            return slots[i];
        }
        if (st == 2 && slots[i].rules == &rules) return slots[i];
    }
    // Every slot taken by other rules, or being filled: a table of our own.
    thread_local T own;
    if (own.rules != &rules) own.Fill(rules);
    return own;
}

}  // namespace vexa::family::engine
