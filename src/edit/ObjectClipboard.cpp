#include "ObjectClipboard.h"

#include "ObjectCommands.h"
#include "SelectionCommands.h"

#include "common/Numbers.h"
#include "mission/ObjectTable.h"
#include "mission/RecordJson.h"

#include <cmath>

namespace zev::edit {

using engine::Vector3;
using mission::MissionObjectRecord;
using R = MissionObjectRecord;

namespace {

Vector3 recordPosition(const MissionObjectRecord& r) {
    return {r.int32(R::position(0)) * kWorkspaceUnitsPerGameUnit,
            r.int32(R::position(1)) * kWorkspaceUnitsPerGameUnit,
            r.int32(R::position(2)) * kWorkspaceUnitsPerGameUnit};
}

void setRecordPosition(MissionObjectRecord& r, const Vector3& p) {
    const double coordinates[3] = {p.x, p.y, p.z};
    for (int axis = 0; axis < 3; ++axis)
        r.setInt32(R::position(axis), common::gameUnitsFromWorkspace(coordinates[axis]));
}

} // namespace

std::string objectsToText(const MissionEditor& editor, const std::vector<int>& slots, bool full) {
    mission::json list = mission::json::array();
    for (int slot : slots)
        if (editor.document().objects.find(slot))
            list.push_back(mission::objectToJson(recordForEditing(editor, slot), slot, full));
    return list.dump(2);
}

ObjectsFromText objectsFromText(const std::string& text) {
    ObjectsFromText result;
    const mission::json j = mission::json::parse(text, nullptr, false);
    if (j.is_discarded()) {
        result.refusal = "it is not JSON";
        return result;
    }
    try {
        const mission::json* list = &j;
        std::string path;
        if (j.is_object()) {
            list = &mission::requireMember(j, "", "objects");
            path = "objects";
        }
        mission::requireArray(*list, path);
        if (list->empty())
            throw mission::JsonRefusal(path, "no objects");
        // A whole dump says which form it is in; a bare list may be in either.
        const bool dumpSaysFull = j.is_object() && j.value("full", false);
        for (std::size_t i = 0; i < list->size(); ++i) {
            const std::string at = mission::itemPath(path, i);
            if (dumpSaysFull) {
                result.records.push_back(mission::objectFromJson((*list)[i], at, true));
                continue;
            }
            try {
                result.records.push_back(mission::objectFromJson((*list)[i], at, false));
            } catch (const mission::JsonRefusal& shortForm) {
                try {
                    result.records.push_back(mission::objectFromJson((*list)[i], at, true));
                } catch (const mission::JsonRefusal&) {
                    throw shortForm; // the form people write is the one to explain
                }
            }
        }
    } catch (const mission::JsonRefusal& refusal) {
        result.records.clear();
        result.refusal = refusal.what();
    } catch (const mission::json::exception& error) {
        result.records.clear();
        result.refusal = error.what();
    }
    return result;
}

std::string pasteRefusalMessage(const std::string& refusal) {
    return "Nothing was pasted: the clipboard holds no list of objects (" + refusal + ").";
}

std::vector<int> ObjectPaster::paste(const std::string& text, const std::optional<Vector3>& at) {
    const ObjectsFromText read = objectsFromText(text);
    if (read.records.empty()) {
        reporter_.report(pasteRefusalMessage(read.refusal), "ZEVEDIT 3D",
                         common::MessageIcon::Information);
        return {};
    }
    Vector3 offset{kPasteOffset, 0, kPasteOffset};
    if (at) {
        std::vector<ThingOrigin> copies;
        for (const MissionObjectRecord& r : read.records)
            copies.push_back({Selection::none(), recordPosition(r)});
        const Vector3 centre = centreOf(copies);
        offset = {std::trunc(at->x - centre.x), 0, std::trunc(at->z - centre.z)};
    }
    return add(read.records, offset, "Paste");
}

std::vector<int> ObjectPaster::duplicate() {
    std::vector<MissionObjectRecord> records;
    for (int slot : editor_.selectedObjects())
        records.push_back(recordForEditing(editor_, slot));
    if (records.empty())
        return {};
    return add(records, {kPasteOffset, 0, kPasteOffset}, "Duplicate");
}

std::vector<int> ObjectPaster::add(const std::vector<MissionObjectRecord>& records,
                                   const Vector3& offset, const std::string& stepName) {
    if (!editor_.hasMission())
        return {};
    std::vector<int> slots;
    for (int slot = 0; slot < mission::ObjectTable::capacity && slots.size() < records.size();
         ++slot)
        if (!editor_.document().objects.find(slot))
            slots.push_back(slot);
    if (slots.size() < records.size()) {
        reporter_.report(mission::kObjectLimitMessage, "ZEVEDIT 3D", common::MessageIcon::Stop);
        return {};
    }
    std::vector<MissionObjectRecord> placed = records;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        setRecordPosition(placed[i], recordPosition(placed[i]) + offset);
        if (prepareFrame)
            if (const auto error = prepareFrame(slots[i], placed[i])) {
                reporter_.report(*error, "ZEVEDIT 3D", common::MessageIcon::Stop);
                return {};
            }
    }
    editor_.endMerging();
    editor_.beginGesture(stepName);
    std::vector<Selection> pasted;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        editor_.execute(
            std::make_unique<AddObjectCommand>(slots[i], placed[i], recordPosition(placed[i])));
        pasted.push_back(Selection::object(slots[i]));
    }
    editor_.commitGesture();
    editor_.setSelection(pasted);
    return slots;
}

} // namespace zev::edit
