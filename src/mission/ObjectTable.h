#pragma once

#include "MissionObjectRecord.h"

#include "common/Reporter.h"

#include <optional>
#include <vector>

namespace zev::mission {

inline constexpr const char* kObjectLimitMessage = "Object Limit has been reached!";

// The 500 object slots. A slot number is an object's identity; slots are never compacted.

class ObjectTable {
public:
    static constexpr int capacity = 500;

    ObjectTable() : slots_(capacity) {}

    // Takes the lowest free slot and gives it a zero-filled record. When every slot is taken,
    // reports "Object Limit has been reached!" and returns nothing.
    std::optional<int> allocate(common::Reporter& reporter);
    // The lowest free slot, without taking it.
    std::optional<int> firstFreeSlot() const;
    void free(int slot);
    void freeAll();

    // The record in `slot`, or null for an empty or out-of-range slot.
    MissionObjectRecord* find(int slot);
    const MissionObjectRecord* find(int slot) const;

    // Puts `record` into `slot` (replacing what was there); false for a slot out of range.
    bool place(int slot, const MissionObjectRecord& record);

    int count() const;
    // Occupied slot numbers, lowest first.
    std::vector<int> occupiedSlots() const;

    friend bool operator==(const ObjectTable&, const ObjectTable&) = default;

private:
    std::vector<std::optional<MissionObjectRecord>> slots_;
};

} // namespace zev::mission
