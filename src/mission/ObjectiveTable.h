#pragma once

#include "common/ByteReader.h"
#include "common/ByteRecord.h"
#include "common/ByteWriter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zev::mission {

// One objective of a star's table. A row is in use exactly when its action is not empty.
class ObjectiveRow : public common::ByteRecord<562> {
public:
    static constexpr common::ByteField activationCount{0}; // signed, 0 to 8
    static constexpr common::ByteField combination{1};     // 0 "And", 1 "Or"
    static constexpr common::TextField action{2, 35};
    static constexpr common::TextField visibility{37, 35};
    static constexpr common::TextField target{72, 35};
    static constexpr int conditionCount = 8;
    static constexpr common::TextField condition(int i) { return {107 + 35 * std::size_t(i), 35}; }
    static constexpr common::TextField timeLimit{387, 15};
    static constexpr common::TextField aiMechsPerTarget{402, 10};
    static constexpr common::TextField aiAttack{412, 10};
    static constexpr common::TextField priority{422, 35};
    static constexpr common::TextField requirement{457, 35};
    static constexpr common::TextField audio{492, 35};
    static constexpr common::TextField screenText{527, 35}; // shown to the player

    static constexpr std::array<common::TextField, 18> textFields() {
        return {action,       visibility,   target,           condition(0), condition(1),
                condition(2), condition(3), condition(4),     condition(5), condition(6),
                condition(7), timeLimit,    aiMechsPerTarget, aiAttack,     priority,
                requirement,  audio,        screenText};
    }

    bool isUsed() const { return bytes()[action.offset] != 0; }
    int conditionsInUse() const { return static_cast<std::int8_t>(byte(activationCount)); }
    void setConditionsInUse(int n) { setByte(activationCount, static_cast<std::uint8_t>(n)); }

    // Empties the row: no conditions, the first character of every text NUL. The combination
    // flag and the bytes behind each terminator stay as they were.
    void clear();
};
static_assert(ObjectiveRow::condition(7).end() == ObjectiveRow::timeLimit.offset);
static_assert(ObjectiveRow::screenText.end() == ObjectiveRow::size);

// The objectives of one star: a mission time limit and 40 fixed row slots.
class ObjectiveTable {
public:
    static constexpr std::size_t timeLimitWidth = 15;
    static constexpr int rowCount = 40;
    static constexpr std::size_t size = timeLimitWidth + rowCount * ObjectiveRow::size;
    static constexpr common::TextField timeLimitField{0, timeLimitWidth};
    using TimeLimitRecord = common::ByteRecord<timeLimitWidth>;

    std::string missionTimeLimit() const { return timeLimit_.text(timeLimitField); }
    void setMissionTimeLimit(std::string_view v) { timeLimit_.setText(timeLimitField, v); }
    // The mission time limit field as stored, bytes behind its terminator included.
    const TimeLimitRecord& timeLimitRecord() const { return timeLimit_; }
    TimeLimitRecord& timeLimitRecord() { return timeLimit_; }

    ObjectiveRow& row(int r) { return rows_.at(static_cast<std::size_t>(r)); }
    const ObjectiveRow& row(int r) const { return rows_.at(static_cast<std::size_t>(r)); }

    // Rows in use counted from row 0 up to the first empty row.
    int usedRowCount() const;

    void clear();
    void writeTo(common::ByteWriter& out) const;
    bool readFrom(common::ByteReader& in);
    std::vector<std::uint8_t> toBytes() const;
    static std::optional<ObjectiveTable> fromBytes(std::span<const std::uint8_t> bytes);

    friend bool operator==(const ObjectiveTable&, const ObjectiveTable&) = default;

private:
    TimeLimitRecord timeLimit_;
    std::array<ObjectiveRow, rowCount> rows_{};
};
static_assert(ObjectiveTable::size == 22495);

constexpr int kObjectiveTableCount = 8;

// The eight tables of a mission, star 0 first.
using ObjectiveBlock = std::array<ObjectiveTable, kObjectiveTableCount>;

} // namespace zev::mission
