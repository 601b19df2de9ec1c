#include "ObjectiveTable.h"

namespace zev::mission {

void ObjectiveRow::clear() {
    setConditionsInUse(0);
    for (const auto& f : textFields())
        bytes()[f.offset] = 0;
}

int ObjectiveTable::usedRowCount() const {
    int n = 0;
    while (n < rowCount && rows_[n].isUsed())
        ++n;
    return n;
}

void ObjectiveTable::clear() {
    timeLimit_.clear();
    for (auto& r : rows_)
        r.ByteRecord::clear();
}

void ObjectiveTable::writeTo(common::ByteWriter& out) const {
    out.bytes(timeLimit_.bytes());
    for (const auto& r : rows_)
        out.bytes(r.bytes());
}

bool ObjectiveTable::readFrom(common::ByteReader& in) {
    if (in.remaining() < size)
        return false;
    in.read(timeLimit_.bytes());
    for (auto& r : rows_)
        in.read(r.bytes());
    return true;
}

std::vector<std::uint8_t> ObjectiveTable::toBytes() const {
    common::ByteWriter out;
    writeTo(out);
    return out.take();
}

std::optional<ObjectiveTable> ObjectiveTable::fromBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != size)
        return std::nullopt;
    common::ByteReader in(bytes);
    ObjectiveTable table;
    table.readFrom(in);
    return table;
}

} // namespace zev::mission
