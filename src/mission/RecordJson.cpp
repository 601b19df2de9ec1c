#include "RecordJson.h"

#include "common/FixedText.h"
#include "mission/ObjectTable.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>

namespace zev::mission {

namespace {

// A field name is a path of keys, each optionally indexed: "path_points[3].position[1]".
struct Step {
    std::string key;
    std::optional<std::size_t> index;
};

std::vector<Step> stepsOf(std::string_view name) {
    std::vector<Step> steps;
    while (!name.empty()) {
        const std::size_t dot = name.find('.');
        std::string_view part = name.substr(0, dot);
        name = dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
        Step step;
        const std::size_t open = part.find('[');
        step.key = std::string(part.substr(0, open));
        if (open != std::string_view::npos)
            step.index = std::stoul(std::string(part.substr(open + 1)));
        steps.push_back(std::move(step));
    }
    return steps;
}

json& placeAt(json& root, const std::string& name) {
    json* node = &root;
    for (const Step& step : stepsOf(name)) {
        node = &(*node)[step.key];
        if (step.index)
            node = &(*node)[*step.index];
    }
    return *node;
}

const json& valueAt(const json& root, const std::string& rootPath, const std::string& name,
                    std::string& path) {
    const json* node = &root;
    path = rootPath;
    for (const Step& step : stepsOf(name)) {
        requireObject(*node, path);
        node = &requireMember(*node, path, step.key);
        path = childPath(path, step.key);
        if (step.index) {
            requireArray(*node, path);
            path = itemPath(path, *step.index);
            if (*step.index >= node->size())
                throw JsonRefusal(path, "missing");
            node = &(*node)[*step.index];
        }
    }
    return *node;
}

std::span<const std::uint8_t> bytesOf(std::span<const std::uint8_t> record, const RecordField& f) {
    return record.subspan(f.offset, f.width);
}
std::span<std::uint8_t> bytesOf(std::span<std::uint8_t> record, const RecordField& f) {
    return record.subspan(f.offset, f.width);
}

json textJson(std::span<const std::uint8_t> record, const RecordField& f, bool full) {
    const std::string text = common::latin1ToUtf8(common::readFixedText(bytesOf(record, f)));
    const bool withBytes =
        full ? !mission::textIsPlain(record, f) : !mission::textIsTerminated(record, f);
    if (!withBytes)
        return text;
    json j;
    j["text"] = text;
    j["bytes"] = hex(bytesOf(record, f));
    return j;
}

json valueJson(std::span<const std::uint8_t> record, const RecordField& f, bool full) {
    switch (f.kind) {
    case FieldKind::Text:
        return textJson(record, f, full);
    case FieldKind::Float32: {
        const float v = mission::floatAt(record, f);
        if (std::isfinite(v))
            return v;
        json j;
        j["bytes"] = hex(bytesOf(record, f));
        return j;
    }
    case FieldKind::Byte:
    case FieldKind::Int8:
    case FieldKind::Int16:
    case FieldKind::Int32:
        break;
    }
    const std::int64_t v = mission::integerAt(record, f);
    if (v >= 0 && static_cast<std::size_t>(v) < f.words.size())
        return f.words[static_cast<std::size_t>(v)];
    return v;
}

void takeText(const json& v, const std::string& path, std::span<std::uint8_t> record,
              const RecordField& f) {
    const auto field = bytesOf(record, f);
    if (v.is_string()) {
        const std::string text = readLatin1(v, path);
        if (text.find('\0') != std::string::npos)
            throw JsonRefusal(path, "text holds a NUL character");
        if (text.size() > f.width - 1)
            throw JsonRefusal(path,
                              "text longer than " + std::to_string(f.width - 1) + " characters");
        common::writeFixedText(field, text);
        return;
    }
    if (!v.is_object())
        throw JsonRefusal(path, "expected a text");
    refuseOtherKeys(v, path, {"text", "bytes"});
    const std::vector<std::uint8_t> bytes =
        readHex(requireMember(v, path, "bytes"), childPath(path, "bytes"), f.width);
    const std::string text = readLatin1(requireMember(v, path, "text"), childPath(path, "text"));
    // The text says what the field shows; bytes that show another text are a slip.
    if (common::readFixedText(bytes) != text)
        throw JsonRefusal(childPath(path, "text"), "does not match its bytes");
    std::copy(bytes.begin(), bytes.end(), field.begin());
}

void takeFloat(const json& v, const std::string& path, std::span<std::uint8_t> record,
               const RecordField& f) {
    if (v.is_number()) {
        const double d = v.get<double>();
        if (!std::isfinite(d) || std::fabs(d) > FLT_MAX)
            throw JsonRefusal(path, "out of range for a 32-bit float");
        mission::setFloatAt(record, f, static_cast<float>(d));
        return;
    }
    if (!v.is_object())
        throw JsonRefusal(path, "expected a number");
    refuseOtherKeys(v, path, {"bytes"});
    const auto bytes = readHex(requireMember(v, path, "bytes"), childPath(path, "bytes"), f.width);
    std::copy(bytes.begin(), bytes.end(), bytesOf(record, f).begin());
}

void takeInteger(const json& v, const std::string& path, std::span<std::uint8_t> record,
                 const RecordField& f) {
    const mission::IntegerRange range = mission::integerRange(f.kind);
    if (!f.words.empty() && v.is_string()) {
        const auto word = std::find(f.words.begin(), f.words.end(), v.get<std::string>());
        if (word == f.words.end()) {
            std::string choices;
            for (const auto& w : f.words)
                choices += "\"" + w + "\" or ";
            throw JsonRefusal(path, "expected " + choices + "a whole number from " +
                                        std::to_string(range.min) + " to " +
                                        std::to_string(range.max));
        }
        mission::setIntegerAt(record, f, word - f.words.begin());
        return;
    }
    mission::setIntegerAt(record, f, readInteger(v, path, range.min, range.max));
}

// Every key and array length of `in` as `shape` (the loaded record written back) has them.
void checkShape(const json& in, const json& shape, const std::string& path) {
    if (in.is_object() && shape.is_object()) {
        for (auto it = in.begin(); it != in.end(); ++it) {
            const auto match = shape.find(it.key());
            if (match == shape.end())
                throw JsonRefusal(childPath(path, it.key()), "unknown key");
            checkShape(it.value(), *match, childPath(path, it.key()));
        }
    } else if (in.is_array() && shape.is_array()) {
        if (in.size() != shape.size())
            throw JsonRefusal(path, "expected " + std::to_string(shape.size()) + " entries");
        for (std::size_t i = 0; i < in.size(); ++i)
            checkShape(in[i], shape[i], itemPath(path, i));
    }
}

} // namespace

std::string childPath(const std::string& path, std::string_view key) {
    return path.empty() ? std::string(key) : path + "." + std::string(key);
}

std::string itemPath(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

std::string hex(std::span<const std::uint8_t> bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

const json& requireObject(const json& value, const std::string& path) {
    if (!value.is_object())
        throw JsonRefusal(path, "expected an object");
    return value;
}

const json& requireArray(const json& value, const std::string& path) {
    if (!value.is_array())
        throw JsonRefusal(path, "expected an array");
    return value;
}

const json& requireMember(const json& object, const std::string& path, std::string_view key) {
    requireObject(object, path);
    const auto it = object.find(key);
    if (it == object.end())
        throw JsonRefusal(childPath(path, key), "missing");
    return *it;
}

std::int64_t readInteger(const json& value, const std::string& path, std::int64_t min,
                         std::int64_t max) {
    const auto refuse = [&] {
        return JsonRefusal(path, "expected a whole number from " + std::to_string(min) + " to " +
                                     std::to_string(max));
    };
    if (!value.is_number_integer())
        throw refuse();
    if (value.is_number_unsigned()) {
        const std::uint64_t u = value.get<std::uint64_t>();
        if (max < 0 || u > static_cast<std::uint64_t>(max))
            throw refuse();
        return static_cast<std::int64_t>(u);
    }
    const std::int64_t v = value.get<std::int64_t>();
    if (v < min || v > max)
        throw refuse();
    return v;
}

std::string readLatin1(const json& value, const std::string& path) {
    if (!value.is_string())
        throw JsonRefusal(path, "expected a text");
    auto latin1 = common::utf8ToLatin1(value.get_ref<const std::string&>());
    if (!latin1)
        throw JsonRefusal(path, "holds a character above U+00FF, which 8-bit texts cannot "
                                "store");
    return std::move(*latin1);
}

std::vector<std::uint8_t> readHex(const json& value, const std::string& path, std::size_t size) {
    const auto refuse = [&] {
        return JsonRefusal(path, "expected " + std::to_string(2 * size) + " hex digits");
    };
    if (!value.is_string())
        throw refuse();
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() != 2 * size)
        throw refuse();
    const auto digit = [&](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        throw refuse();
    };
    std::vector<std::uint8_t> out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<std::uint8_t>(digit(text[2 * i]) * 16 + digit(text[2 * i + 1]));
    return out;
}

void refuseOtherKeys(const json& object, const std::string& path,
                     std::initializer_list<std::string_view> allowed) {
    requireObject(object, path);
    for (auto it = object.begin(); it != object.end(); ++it)
        if (std::find(allowed.begin(), allowed.end(), it.key()) == allowed.end())
            throw JsonRefusal(childPath(path, it.key()), "unknown key");
}

void putRecord(json& out, std::span<const std::uint8_t> record, const RecordFields& fields,
               bool full) {
    for (const RecordField& f : fields.fields)
        if (full || !f.fullOnly)
            placeAt(out, f.name) = valueJson(record, f, full);
    if (full && !fields.gaps.empty()) {
        json& unnamed = out["unnamed"];
        for (const mission::ByteRange& gap : fields.gaps)
            unnamed[std::to_string(gap.offset)] = hex(record.subspan(gap.offset, gap.width));
    }
}

void takeRecord(const json& in, const std::string& path, std::span<std::uint8_t> record,
                const RecordFields& fields, bool full,
                std::initializer_list<std::string_view> ownKeys) {
    requireObject(in, path);
    for (const RecordField& f : fields.fields) {
        if (!full && f.fullOnly)
            continue;
        std::string at;
        const json& v = valueAt(in, path, f.name, at);
        switch (f.kind) {
        case FieldKind::Text:
            takeText(v, at, record, f);
            break;
        case FieldKind::Float32:
            takeFloat(v, at, record, f);
            break;
        case FieldKind::Byte:
        case FieldKind::Int8:
        case FieldKind::Int16:
        case FieldKind::Int32:
            takeInteger(v, at, record, f);
            break;
        }
    }
    if (full && !fields.gaps.empty()) {
        const json& unnamed =
            requireObject(requireMember(in, path, "unnamed"), childPath(path, "unnamed"));
        for (const mission::ByteRange& gap : fields.gaps) {
            const std::string key = std::to_string(gap.offset);
            const std::string at = childPath(childPath(path, "unnamed"), key);
            const auto bytes =
                readHex(requireMember(unnamed, childPath(path, "unnamed"), key), at, gap.width);
            std::copy(bytes.begin(), bytes.end(), record.begin() + gap.offset);
        }
    }
    json shape;
    putRecord(shape, record, fields, full);
    for (std::string_view key : ownKeys)
        if (!shape.contains(key))
            shape[std::string(key)] = nullptr;
    checkShape(in, shape, path);
}

json objectToJson(const MissionObjectRecord& record, int slot, bool full) {
    json o = {{"slot", slot}};
    putRecord(o, record.bytes(), missionObjectFields(), full);
    return o;
}

MissionObjectRecord objectFromJson(const json& in, const std::string& path, bool full) {
    if (const auto slot = requireObject(in, path).find("slot"); slot != in.end())
        readInteger(*slot, childPath(path, "slot"), 0, ObjectTable::capacity - 1);
    MissionObjectRecord r;
    takeRecord(in, path, r.bytes(), missionObjectFields(), full, {"slot"});
    return r;
}

} // namespace zev::mission
