#include "ObjectPropertyFields.h"

#include "common/Numbers.h"
#include "gamedata/ObjectGroupRecord.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <span>

namespace zev::edit {

using R = mission::MissionObjectRecord;
using V = ObjectPropertyValues;

namespace {

std::int32_t number(const std::string& text) {
    return common::leadingInt(text);
}

std::vector<std::string> wordsOf(std::span<const char* const> words) {
    return {std::begin(words), std::end(words)};
}

// The role boxes store the role text of all three; the others keep what the record holds.
template <std::size_t Role> void storeRole(R& r, const std::string& text) {
    const std::string role = r.text(R::gamethingRole);
    std::array<bool, 3> roles{};
    for (std::size_t i = 0; i < roles.size(); ++i)
        roles[i] = role.find(kRoleWords[i]) != std::string::npos;
    roles[Role] = text == "1";
    r.setText(R::gamethingRole, roleText(roles));
}

template <const common::TextField* Field> void storeText(R& r, const std::string& text) {
    r.setText(*Field, text);
}

std::vector<ObjectPropertyField> makeFields() {
    using K = PropertyKind;
    std::vector<ObjectPropertyField> f;
#define ZEV_TRIPLE(KEY, LABEL, MEMBER, FIELD, DETAIL)                                              \
    f.push_back({KEY "_x",                                                                         \
                 LABEL " X",                                                                       \
                 K::Number,                                                                        \
                 {},                                                                               \
                 false,                                                                            \
                 0,                                                                                \
                 DETAIL,                                                                           \
                 [](const V& v) { return v.MEMBER[0]; },                                           \
                 [](R& r, const std::string& t) { r.setInt32(R::FIELD(0), number(t)); }});         \
    f.push_back({KEY "_y",                                                                         \
                 LABEL " Y",                                                                       \
                 K::Number,                                                                        \
                 {},                                                                               \
                 false,                                                                            \
                 0,                                                                                \
                 DETAIL,                                                                           \
                 [](const V& v) { return v.MEMBER[1]; },                                           \
                 [](R& r, const std::string& t) { r.setInt32(R::FIELD(1), number(t)); }});         \
    f.push_back({KEY "_z",                                                                         \
                 LABEL " Z",                                                                       \
                 K::Number,                                                                        \
                 {},                                                                               \
                 false,                                                                            \
                 0,                                                                                \
                 DETAIL,                                                                           \
                 [](const V& v) { return v.MEMBER[2]; },                                           \
                 [](R& r, const std::string& t) { r.setInt32(R::FIELD(2), number(t)); }})
    ZEV_TRIPLE("position", "Position", position, position, false);
    ZEV_TRIPLE("rotation", "Main Rotation", mainRotation, mainRotation, false);
    ZEV_TRIPLE("scale", "Scale", scale, scale, false);
    f.push_back({"area_file",
                 "Area File Inclusion",
                 K::Number,
                 {},
                 false,
                 0,
                 true,
                 [](const V& v) { return common::decimal(v.areaFile); },
                 [](R& r, const std::string& t) { r.setText(R::areaFile, t); }});
    f.push_back({"hits_to_destroy",
                 "Hits to Destroy",
                 K::Number,
                 {},
                 false,
                 0,
                 true,
                 [](const V& v) { return v.hitsToDestroy; },
                 [](R& r, const std::string& t) { r.setInt32(R::hitsToDestroy, number(t)); }});
    f.push_back({"collision_on",
                 "Collision On",
                 K::Check,
                 {},
                 false,
                 0,
                 true,
                 [](const V& v) { return std::string(v.collisionOn ? "1" : "0"); },
                 [](R& r, const std::string& t) { r.setByte(R::collisionOn, t == "1" ? 1 : 0); }});
    f.push_back({"can_target",
                 "Can Target",
                 K::Check,
                 {},
                 false,
                 0,
                 true,
                 [](const V& v) { return std::string(v.canTarget ? "1" : "0"); },
                 [](R& r, const std::string& t) { r.setByte(R::canTarget, t == "1" ? 1 : 0); }});
    f.push_back({"defend",
                 "Defend",
                 K::Check,
                 {},
                 false,
                 0,
                 true,
                 [](const V& v) { return std::string(v.roles[0] ? "1" : "0"); },
                 &storeRole<0>});
    f.push_back({"destroy",
                 "Destroy",
                 K::Check,
                 {},
                 false,
                 0,
                 true,
                 [](const V& v) { return std::string(v.roles[1] ? "1" : "0"); },
                 &storeRole<1>});
    f.push_back({"recon",
                 "Recon",
                 K::Check,
                 {},
                 false,
                 0,
                 true,
                 [](const V& v) { return std::string(v.roles[2] ? "1" : "0"); },
                 &storeRole<2>});
    const auto types = wordsOf(gamedata::kCollisionTypes);
    f.push_back({"main_type", "Main Type", K::Choice, types, false, 0, true,
                 [](const V& v) {
                     return v.mainType < 0 ? std::string()
                                           : std::string(gamedata::kCollisionTypes[v.mainType]);
                 },
                 [](R& r, const std::string& t) { r.setText(R::mainType, t); }});
    f.push_back({"alternate_type", "Alternate Type", K::Choice, types, false, 0, true,
                 [](const V& v) {
                     return v.alternateType < 0
                                ? std::string()
                                : std::string(gamedata::kCollisionTypes[v.alternateType]);
                 },
                 [](R& r, const std::string& t) { r.setText(R::alternateType, t); }});
    f.push_back({"object_type", "Object Type", K::Choice, wordsOf(kPropertyObjectTypes), true, 24,
                 true, [](const V& v) { return v.objectType; }, &storeText<&R::objectType>});
    f.push_back({"object_parent", "Object Parent", K::Choice, wordsOf(kPropertyObjectParents), true,
                 24, true, [](const V& v) { return v.objectParent; },
                 &storeText<&R::objectParent>});
    f.push_back({"alternate",
                 "Alternate",
                 K::Text,
                 {},
                 false,
                 24,
                 true,
                 [](const V& v) { return v.alternateName; },
                 &storeText<&R::alternateName>});
    f.push_back({"targeting_info",
                 "Targeting Info",
                 K::Text,
                 {},
                 false,
                 29,
                 true,
                 [](const V& v) { return v.targetingInfo; },
                 &storeText<&R::targetingInfo>});
    f.push_back({"inspection_info",
                 "Inspection Info",
                 K::Text,
                 {},
                 false,
                 49,
                 true,
                 [](const V& v) { return v.inspectionInfo; },
                 &storeText<&R::inspectionInfo>});
    ZEV_TRIPLE("chunk_rotation", "Chunk Rotation", chunkRotation, chunkRotation, true);
    ZEV_TRIPLE("alternate_rotation", "Alternate Rotation", alternateRotation, alternateRotation,
               true);
#undef ZEV_TRIPLE
    return f;
}

} // namespace

const std::vector<ObjectPropertyField>& objectPropertyFields() {
    static const std::vector<ObjectPropertyField> fields = makeFields();
    return fields;
}

const ObjectPropertyField* findObjectPropertyField(std::string_view key) {
    for (const ObjectPropertyField& f : objectPropertyFields())
        if (key == f.key)
            return &f;
    return nullptr;
}

std::string refusal(const ObjectPropertyField& field, const std::string& text) {
    const std::string label = field.label;
    switch (field.kind) {
    case PropertyKind::Number:
        if (field.key == std::string_view("area_file")) {
            if (!common::parseDecimalInRange(text, kAreaFileMin, kAreaFileMax))
                return label + " is " + std::to_string(kAreaFileMin) + " to " +
                       std::to_string(kAreaFileMax) + ": \"" + text + "\" is not";
            return {};
        }
        if (!common::parseDecimalInRange(text, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max()))
            return label + " takes a whole number: \"" + text + "\" is not one";
        return {};
    case PropertyKind::Check:
        return text == "1" || text == "0" ? std::string() : label + " is on (1) or off (0)";
    case PropertyKind::Choice:
        if (!field.freeText &&
            std::find(field.choices.begin(), field.choices.end(), text) == field.choices.end())
            return label + " is one of its box's words: \"" + text + "\" is not";
        [[fallthrough]];
    case PropertyKind::Text:
        if (field.maxChars && text.size() > field.maxChars)
            return label + " takes at most " + std::to_string(field.maxChars) + " characters";
        return {};
    }
    return {};
}

} // namespace zev::edit
