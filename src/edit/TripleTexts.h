#pragma once

#include "common/ByteRecord.h"
#include "common/Numbers.h"

#include <array>
#include <string>

// The X, Y, Z edits of a record's integer triple (scale, position, a rotation), as the property
// and database dialogs show and store them.
namespace zev::edit {

using TripleTexts = std::array<std::string, 3>;
using TripleField = common::Int32Field (*)(int);

template <typename Record>
void showTriple(TripleTexts& texts, const Record& record, TripleField field) {
    for (int axis = 0; axis < 3; ++axis)
        texts[std::size_t(axis)] = common::decimal(record.int32(field(axis)));
}

// Each edit by the leading-digits rule.
template <typename Record>
void storeTriple(Record& record, const TripleTexts& texts, TripleField field) {
    for (int axis = 0; axis < 3; ++axis)
        record.setInt32(field(axis), common::leadingInt(texts[std::size_t(axis)]));
}

} // namespace zev::edit
