#include "PlatformOptionsModel.h"

#include "TaskSettingsModel.h"

#include "common/Numbers.h"

namespace zev::edit {

using mission::MissionHeader;
using H = MissionHeader;
using Kind = MissionHeader::DfxKind;

static_assert(H::dfxOptionKind(kLightKindOptions[0]) == Kind::Letter &&
              H::dfxOptionKind(kLightKindOptions[1]) == Kind::Letter);

namespace {

// The slot of `directional` for a light kind option, or -1.
int lightIndex(int option) {
    for (int light = 0; light < 2; ++light)
        if (kLightKindOptions[light] == option)
            return light;
    return -1;
}

} // namespace

MissionType PlatformOptionsModel::missionType(const MissionHeader& header) {
    const int patch = header.byte(H::patch);
    const int dfx = header.byte(H::dfxFlag1);
    if (patch == 1 && dfx == 0)
        return MissionType::Patch8Bit;
    if (patch == 1 && dfx == 1)
        return MissionType::Patch3dfx;
    return MissionType::DosStandard;
}

bool PlatformOptionsModel::optionEnabled(MissionType type, int option) {
    switch (type) {
    case MissionType::Patch3dfx:
        return option >= 0 && option < kPlatformOptionCount;
    case MissionType::Patch8Bit:
        return option >= 0 && option < kPatch8BitOptionCount;
    case MissionType::DosStandard:
        break;
    }
    return false;
}

PlatformValues PlatformOptionsModel::fill(const MissionHeader& header) {
    PlatformValues v;
    v.missionType = missionType(header);
    for (int i = 0; i < kPlatformOptionCount; ++i) {
        switch (H::dfxOptionKind(i)) {
        case Kind::Int:
            v.options[std::size_t(i)] = common::decimal(header.int32(H::dfxInt(i)));
            break;
        case Kind::Float:
            v.options[std::size_t(i)] = common::cFloat(header.float32(H::dfxFloat(i)));
            break;
        case Kind::Letter:
            v.directional[std::size_t(lightIndex(i))] =
                header.text(H::dfxLetter(i)).find('D') != std::string::npos;
            break;
        }
    }
    v.skyDome = header.byte(H::dfxFlag2) != 0;
    return v;
}

MissionHeader PlatformOptionsModel::compose(const PlatformValues& v, const MissionHeader& header) {
    H out = header;
    out.setByte(H::patch, v.missionType == MissionType::DosStandard ? 0 : 1);
    out.setByte(H::dfxFlag1, v.missionType == MissionType::Patch3dfx ? 1 : 0);
    out.setByte(H::dfxFlag2, v.skyDome ? 1 : 0);
    for (int i = 0; i < kPlatformOptionCount; ++i) {
        const std::string& text = v.options[std::size_t(i)];
        switch (H::dfxOptionKind(i)) {
        case Kind::Int:
            out.setInt32(H::dfxInt(i), common::leadingInt(text));
            break;
        case Kind::Float:
            out.setFloat32(H::dfxFloat(i), leadingFloat(text));
            break;
        case Kind::Letter:
            out.setText(H::dfxLetter(i), v.directional[std::size_t(lightIndex(i))] ? "D" : "P");
            break;
        }
    }
    return out;
}

} // namespace zev::edit
