#pragma once

#include "ObjectPropertiesModel.h"

#include "mission/MissionObjectRecord.h"

#include <string>
#include <vector>

// The values of a placed object's record that the object property dialog edits, described once
// for every view that edits them one at a time: how each reads from what the dialog shows
// (`ObjectPropertyValues`) and how a typed text is stored into the record as the dialog's OK
// stores it, and which texts are refused.
namespace zev::edit {

enum class PropertyKind { Number, Text, Check, Choice };

struct ObjectPropertyField {
    const char* key;   // a stable name: "position_x", "hits_to_destroy"
    const char* label; // as the dialog labels it, with the axis for a triple: "Scale X"
    PropertyKind kind;
    // Choice: the words offered; `freeText` when others may be typed too.
    std::vector<std::string> choices;
    bool freeText = false;
    std::size_t maxChars = 0; // Text: what the dialog's edit takes
    // Locked for a ready-made group, as in the dialog.
    bool detail = false;
    std::string (*shown)(const ObjectPropertyValues&) = nullptr;
    void (*store)(mission::MissionObjectRecord&, const std::string&) = nullptr;
};

// Position, main rotation and scale first, then the area file and the dialog's details.
const std::vector<ObjectPropertyField>& objectPropertyFields();
const ObjectPropertyField* findObjectPropertyField(std::string_view key);

// Why `text` cannot be stored in the field; empty when it can. Numbers are whole decimal
// numbers of the record's range, the area file 1 to 8, a fixed choice one of its words, a check
// "1" or "0".
std::string refusal(const ObjectPropertyField& field, const std::string& text);

} // namespace zev::edit
