#include "ObjectTable.h"

namespace zev::mission {

std::optional<int> ObjectTable::firstFreeSlot() const {
    for (int slot = 0; slot < capacity; ++slot)
        if (!slots_[slot])
            return slot;
    return std::nullopt;
}

std::optional<int> ObjectTable::allocate(common::Reporter& reporter) {
    const std::optional<int> slot = firstFreeSlot();
    if (!slot) {
        reporter.report(kObjectLimitMessage, "ZEVEDIT 3D", common::MessageIcon::Stop);
        return std::nullopt;
    }
    slots_[*slot].emplace();
    return slot;
}

void ObjectTable::free(int slot) {
    if (slot >= 0 && slot < capacity)
        slots_[slot].reset();
}

void ObjectTable::freeAll() {
    for (auto& s : slots_)
        s.reset();
}

MissionObjectRecord* ObjectTable::find(int slot) {
    if (slot < 0 || slot >= capacity || !slots_[slot])
        return nullptr;
    return &*slots_[slot];
}

const MissionObjectRecord* ObjectTable::find(int slot) const {
    if (slot < 0 || slot >= capacity || !slots_[slot])
        return nullptr;
    return &*slots_[slot];
}

bool ObjectTable::place(int slot, const MissionObjectRecord& record) {
    if (slot < 0 || slot >= capacity)
        return false;
    slots_[slot] = record;
    return true;
}

int ObjectTable::count() const {
    int n = 0;
    for (const auto& s : slots_)
        n += s.has_value();
    return n;
}

std::vector<int> ObjectTable::occupiedSlots() const {
    std::vector<int> out;
    for (int slot = 0; slot < capacity; ++slot)
        if (slots_[slot])
            out.push_back(slot);
    return out;
}

} // namespace zev::mission
