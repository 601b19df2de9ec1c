#include "RecordFields.h"

#include "MissionHeader.h"
#include "MissionObjectRecord.h"
#include "NavPointRecord.h"
#include "ObjectiveTable.h"
#include "PaletteRecord.h"
#include "StartPointRecord.h"
#include "WeatherRecord.h"

#include "common/FixedText.h"
#include "common/LittleEndian.h"

#include <algorithm>
#include <stdexcept>

namespace zev::mission {

using common::ByteField;
using common::Float32Field;
using common::Int16Field;
using common::Int32Field;
using common::TextField;

namespace {

// Collects a record's fields from its offset constants, so the names and kinds sit beside the
// one set of offsets the typed accessors use.
class Describe {
public:
    explicit Describe(std::size_t size) { out_.size = size; }

    Describe& text(std::string name, TextField f) {
        return add(std::move(name), f.offset, f.width, FieldKind::Text);
    }
    Describe& byte(std::string name, ByteField f) {
        return add(std::move(name), f.offset, 1, FieldKind::Byte);
    }
    Describe& int8(std::string name, ByteField f) {
        return add(std::move(name), f.offset, 1, FieldKind::Int8);
    }
    Describe& words(std::string name, ByteField f, std::vector<std::string> words) {
        return add(std::move(name), f.offset, 1, FieldKind::Byte, std::move(words));
    }
    Describe& int16(std::string name, Int16Field f) {
        return add(std::move(name), f.offset, 2, FieldKind::Int16);
    }
    Describe& int32(std::string name, Int32Field f) {
        return add(std::move(name), f.offset, 4, FieldKind::Int32);
    }
    Describe& float32(std::string name, Float32Field f) {
        return add(std::move(name), f.offset, 4, FieldKind::Float32);
    }
    Describe& fullOnly() {
        out_.fields.back().fullOnly = true;
        return *this;
    }
    template <typename Field>
    Describe& triple(const std::string& name, Field (*field)(int), FieldKind kind) {
        for (int axis = 0; axis < 3; ++axis) {
            const Field f = field(axis);
            add(name + "[" + std::to_string(axis) + "]", f.offset, f.width, kind);
        }
        return *this;
    }

    // Fields must come in offset order without overlapping; a slip is a programming error
    // found by the first use of the list.
    RecordFields done() {
        std::size_t at = 0;
        for (const RecordField& f : out_.fields) {
            if (f.offset < at || f.end() > out_.size)
                throw std::logic_error("record field out of order: " + f.name);
            if (f.offset > at)
                out_.gaps.push_back({at, f.offset - at});
            at = f.end();
        }
        if (at < out_.size)
            out_.gaps.push_back({at, out_.size - at});
        return std::move(out_);
    }

private:
    Describe& add(std::string name, std::size_t offset, std::size_t width, FieldKind kind,
                  std::vector<std::string> words = {}) {
        RecordField f;
        f.name = std::move(name);
        f.offset = offset;
        f.width = width;
        f.kind = kind;
        f.words = std::move(words);
        out_.fields.push_back(std::move(f));
        return *this;
    }
    RecordFields out_;
};

std::string indexed(const std::string& name, int i) {
    return name + "[" + std::to_string(i) + "]";
}

RecordFields describeHeader() {
    using H = MissionHeader;
    Describe d(H::size);
    d.float32("version", H::version)
        .text("creator", H::creator)
        .text("project_name", H::projectName)
        .text("mission_name", H::missionName)
        .text("music_track", H::musicTrack)
        .byte("free_for_all", H::freeForAll)
        .int32("team_a_mek_group", H::teamAMekGroup)
        .int32("team_b_mek_group", H::teamBMekGroup)
        .text("number_of_players", H::numberOfPlayers)
        .text("gravity", H::gravity)
        .text("seconds_in_day", H::secondsInDay)
        .text("days_in_year", H::daysInYear)
        .text("mean_temperature", H::meanTemperature)
        .text("max_jump_height", H::maxJumpHeight)
        .text("min_height", H::minHeight)
        .text("max_height", H::maxHeight)
        .text("coef_friction", H::coefFriction)
        .text("shade_distance", H::shadeDistance)
        .byte("can_eject", H::canEject)
        .byte("hide_sky", H::hideSky)
        .byte("hide_ground", H::hideGround)
        .byte("hide_horizon", H::hideHorizon)
        .text("ambient_light", H::ambientLight)
        .int32("now", H::now)
        .text("clip_near", H::clipNear)
        .text("clip_far", H::clipFar)
        .text("light_source_x", H::lightSourceX)
        .text("light_source_y", H::lightSourceY)
        .text("light_source_z", H::lightSourceZ)
        .byte("point_light", H::pointLight)
        .text("color_palette", H::colorPalette)
        .text("ground_texture", H::groundTexture)
        .int32("fog", H::fog)
        .byte("fog_world", H::fogWorld)
        .byte("patch", H::patch)
        .byte("dfx_flag_1", H::dfxFlag1)
        .byte("dfx_flag_2", H::dfxFlag2);
    for (int i = 0; i < H::dfxOptionCount; ++i) {
        const std::string name = indexed("dfx_options", i);
        switch (H::dfxOptionKind(i)) {
        case H::DfxKind::Int:
            d.int32(name, H::dfxInt(i));
            break;
        case H::DfxKind::Float:
            d.float32(name, H::dfxFloat(i));
            break;
        case H::DfxKind::Letter:
            d.text(name, H::dfxLetter(i));
            break;
        }
    }
    return d.done();
}

RecordFields describeStartPoint() {
    using S = StartPointRecord;
    return Describe(S::size)
        .text("x", S::x)
        .text("y", S::y)
        .text("z", S::z)
        .text("heading", S::heading)
        .int32("camouflage", S::camouflage)
        .done();
}

RecordFields describeNavPoint() {
    using N = NavPointRecord;
    return Describe(N::size)
        .byte("in_use", N::inUse)
        .fullOnly()
        .text("x", N::x)
        .text("y", N::y)
        .text("z", N::z)
        .text("heading", N::heading)
        .text("enabled", N::enabled)
        .text("group_id", N::groupId)
        .text("radius", N::radius)
        .text("actions", N::actions)
        .text("text", N::navText)
        .done();
}

RecordFields describeObjectiveRow() {
    using R = ObjectiveRow;
    Describe d(R::size);
    d.int8("activation_count", R::activationCount)
        .words("combination", R::combination, {"and", "or"})
        .text("action", R::action)
        .text("visibility", R::visibility)
        .text("target", R::target);
    for (int c = 0; c < R::conditionCount; ++c)
        d.text(indexed("activation_conditions", c), R::condition(c));
    return d.text("time_limit", R::timeLimit)
        .text("ai_mechs_per_target", R::aiMechsPerTarget)
        .text("ai_attack_setting", R::aiAttack)
        .text("priority", R::priority)
        .text("requirement", R::requirement)
        .text("audio", R::audio)
        .text("text", R::screenText)
        .done();
}

RecordFields describeWeather() {
    using W = WeatherRecord;
    return Describe(W::size)
        .int32("type", W::type)
        .text("parsec", W::parsec)
        .text("velocity_x", W::velocityX)
        .text("velocity_y", W::velocityY)
        .text("velocity_z", W::velocityZ)
        .done();
}

RecordFields describePalette() {
    using P = PaletteRecord;
    Describe d(P::size);
    for (int i = 0; i < P::entryCount; ++i)
        d.text(indexed("entries", i), P::entry(i));
    return d.byte("custom", P::flag).done();
}

RecordFields describeMissionObject() {
    using R = MissionObjectRecord;
    Describe d(R::size);
    d.text("creator_tag", R::creatorTag)
        .text("format_version", R::formatVersion)
        .text("menu_text", R::menuText)
        .text("object_name", R::objectName)
        .text("main_type", R::mainType)
        .text("object_type", R::objectType)
        .text("object_parent", R::objectParent)
        .text("alternate_name", R::alternateName)
        .text("alternate_type", R::alternateType)
        .text("chunk_name", R::chunkName)
        .text("reserved_text", R::reservedText)
        .text("targeting_info", R::targetingInfo)
        .int32("hits_to_destroy", R::hitsToDestroy)
        .byte("collision_on", R::collisionOn)
        .byte("can_target", R::canTarget)
        .byte("ready_made_group", R::readyMadeGroup)
        .triple("scale", R::scale, FieldKind::Int32)
        .triple("position", R::position, FieldKind::Int32)
        .triple("main_rotation", R::mainRotation, FieldKind::Int32)
        .triple("chunk_rotation", R::chunkRotation, FieldKind::Int32)
        .triple("alternate_rotation", R::alternateRotation, FieldKind::Int32)
        .byte("reserved_byte", R::reservedByte)
        .text("area_file", R::areaFile)
        .text("gamething_role", R::gamethingRole)
        .text("inspection_info", R::inspectionInfo);
    for (int p = 0; p < R::pathPointCount; ++p) {
        const std::string point = indexed("path_points", p);
        d.byte(point + ".enabled", R::pathPointEnabled(p));
        for (int axis = 0; axis < 3; ++axis)
            d.int32(indexed(point + ".position", axis), R::pathPointPosition(p, axis));
        for (int axis = 0; axis < 3; ++axis)
            d.int16(indexed(point + ".rotation", axis), R::pathPointRotation(p, axis));
        d.int16(point + ".time", R::pathPointTime(p));
    }
    d.byte("spinner.enabled", R::spinnerEnabled)
        .int16("spinner.period", R::spinnerPeriod)
        .triple("spinner.rotation", R::spinnerRotation, FieldKind::Int16)
        .float32("spinner.time", R::spinnerTime)
        .byte("color_spin.enabled", R::colorSpinEnabled)
        .int16("color_spin.period", R::colorSpinPeriod);
    for (int c = 0; c < R::colorSpinColorCount; ++c)
        d.int16(indexed("color_spin.colors", c), R::colorSpinColor(c));
    return d.byte("fly_circle.enabled", R::flyCircleEnabled)
        .int16("fly_circle.period", R::flyCirclePeriod)
        .int32("fly_circle.radius", R::flyCircleRadius)
        .int16("fly_circle.interval", R::flyCircleInterval)
        .byte("fly_circle.active", R::flyCircleActive)
        .byte("path.enabled", R::pathEnabled)
        .int16("path.period", R::pathPeriod)
        .text("path.looping", R::pathLooping)
        .text("path.rotation", R::pathRotation)
        .byte("ambient_sound.enabled", R::ambientSoundEnabled)
        .int32("ambient_sound.radius", R::ambientSoundRadius)
        .text("ambient_sound.file", R::ambientSoundFile)
        .byte("ambient_sound.active", R::ambientSoundActive)
        .done();
}

const std::uint8_t* at(std::span<const std::uint8_t> record, const RecordField& f) {
    if (f.end() > record.size())
        throw std::out_of_range("field outside its record");
    return record.data() + f.offset;
}
std::uint8_t* at(std::span<std::uint8_t> record, const RecordField& f) {
    if (f.end() > record.size())
        throw std::out_of_range("field outside its record");
    return record.data() + f.offset;
}

} // namespace

const RecordFields& headerFields() {
    static const RecordFields fields = describeHeader();
    return fields;
}
const RecordFields& startPointFields() {
    static const RecordFields fields = describeStartPoint();
    return fields;
}
const RecordFields& navPointFields() {
    static const RecordFields fields = describeNavPoint();
    return fields;
}
const RecordFields& objectiveTimeLimitFields() {
    static const RecordFields fields =
        Describe(ObjectiveTable::timeLimitWidth)
            .text("mission_time_limit", ObjectiveTable::timeLimitField)
            .done();
    return fields;
}
const RecordFields& objectiveRowFields() {
    static const RecordFields fields = describeObjectiveRow();
    return fields;
}
const RecordFields& weatherFields() {
    static const RecordFields fields = describeWeather();
    return fields;
}
const RecordFields& paletteFields() {
    static const RecordFields fields = describePalette();
    return fields;
}
const RecordFields& missionObjectFields() {
    static const RecordFields fields = describeMissionObject();
    return fields;
}

std::int64_t integerAt(std::span<const std::uint8_t> record, const RecordField& f) {
    const std::uint8_t* p = at(record, f);
    switch (f.kind) {
    case FieldKind::Byte:
        return *p;
    case FieldKind::Int8:
        return static_cast<std::int8_t>(*p);
    case FieldKind::Int16:
        return common::getI16(p);
    case FieldKind::Int32:
        return common::getI32(p);
    case FieldKind::Text:
    case FieldKind::Float32:
        break;
    }
    throw std::logic_error("not an integer field: " + f.name);
}

void setIntegerAt(std::span<std::uint8_t> record, const RecordField& f, std::int64_t value) {
    std::uint8_t* p = at(record, f);
    switch (f.kind) {
    case FieldKind::Byte:
    case FieldKind::Int8:
        *p = static_cast<std::uint8_t>(value);
        return;
    case FieldKind::Int16:
        common::putI16(p, static_cast<std::int16_t>(value));
        return;
    case FieldKind::Int32:
        common::putI32(p, static_cast<std::int32_t>(value));
        return;
    case FieldKind::Text:
    case FieldKind::Float32:
        break;
    }
    throw std::logic_error("not an integer field: " + f.name);
}

float floatAt(std::span<const std::uint8_t> record, const RecordField& f) {
    return common::getF32(at(record, f));
}

void setFloatAt(std::span<std::uint8_t> record, const RecordField& f, float value) {
    common::putF32(at(record, f), value);
}

IntegerRange integerRange(FieldKind kind) {
    switch (kind) {
    case FieldKind::Byte:
        return {0, 255};
    case FieldKind::Int8:
        return {-128, 127};
    case FieldKind::Int16:
        return {-32768, 32767};
    case FieldKind::Int32:
        return {INT32_MIN, INT32_MAX};
    case FieldKind::Text:
    case FieldKind::Float32:
        break;
    }
    return {0, 0};
}

bool textIsTerminated(std::span<const std::uint8_t> record, const RecordField& f) {
    const std::uint8_t* p = at(record, f);
    return std::find(p, p + f.width, std::uint8_t{0}) != p + f.width;
}

bool textIsPlain(std::span<const std::uint8_t> record, const RecordField& f) {
    const std::uint8_t* p = at(record, f);
    const std::uint8_t* nul = std::find(p, p + f.width, std::uint8_t{0});
    return nul != p + f.width && std::all_of(nul, p + f.width, [](auto b) { return b == 0; });
}

} // namespace zev::mission
