#pragma once

#include "common/ByteRecord.h"

namespace zev::mission {

using common::ByteField;
using common::Float32Field;
using common::Int32Field;
using common::TextField;

// The mission header: project and mission identity, world physics, light and clip settings,
// and the 3dfx mission options.
class MissionHeader : public common::ByteRecord<776> {
public:
    static constexpr Float32Field version{0};
    static constexpr TextField creator{4, 16};
    static constexpr TextField projectName{20, 10};
    static constexpr TextField missionName{30, 40};
    static constexpr TextField musicTrack{70, 6};
    static constexpr ByteField freeForAll{76};
    static constexpr Int32Field teamAMekGroup{80};
    static constexpr Int32Field teamBMekGroup{84};
    static constexpr TextField numberOfPlayers{88, 5};
    static constexpr TextField gravity{93, 6};
    static constexpr TextField secondsInDay{99, 35};
    static constexpr TextField daysInYear{134, 25};
    static constexpr TextField meanTemperature{159, 20};
    static constexpr TextField maxJumpHeight{179, 35};
    static constexpr TextField minHeight{214, 35};
    static constexpr TextField maxHeight{249, 35};
    static constexpr TextField coefFriction{284, 25};
    static constexpr TextField shadeDistance{309, 35};
    static constexpr ByteField canEject{344};
    static constexpr ByteField hideSky{345};
    static constexpr ByteField hideGround{346};
    static constexpr ByteField hideHorizon{347};
    static constexpr TextField ambientLight{348, 8};
    static constexpr Int32Field now{356};
    static constexpr TextField clipNear{360, 35};
    static constexpr TextField clipFar{395, 35};
    static constexpr TextField lightSourceX{430, 35};
    static constexpr TextField lightSourceY{465, 35};
    static constexpr TextField lightSourceZ{500, 35};
    static constexpr ByteField pointLight{535};
    static constexpr TextField colorPalette{536, 30};
    static constexpr TextField groundTexture{566, 26};
    static constexpr Int32Field fog{592};
    static constexpr ByteField fogWorld{628};
    static constexpr ByteField patch{629};
    static constexpr ByteField dfxFlag1{630};
    static constexpr ByteField dfxFlag2{631};

    // The 36 four-byte 3dfx mission option values from offset 632 on.
    static constexpr std::size_t dfxOptionsOffset = 632;
    static constexpr int dfxOptionCount = 36;
    enum class DfxKind { Int, Letter, Float };
    static constexpr DfxKind dfxOptionKind(int i) {
        const std::size_t offset = dfxOptionsOffset + 4 * static_cast<std::size_t>(i);
        if (offset == 688 || offset == 716)
            return DfxKind::Letter;
        if (offset == 744 || offset == 748 || offset == 752 || offset == 768 || offset == 772)
            return DfxKind::Float;
        return DfxKind::Int;
    }
    static constexpr Int32Field dfxInt(int i) { return {dfxOptionsOffset + 4 * std::size_t(i)}; }
    static constexpr Float32Field dfxFloat(int i) {
        return {dfxOptionsOffset + 4 * std::size_t(i)};
    }
    static constexpr TextField dfxLetter(int i) {
        return {dfxOptionsOffset + 4 * std::size_t(i), 4};
    }

    static constexpr std::size_t end = dfxOptionsOffset + 4 * dfxOptionCount;
};
static_assert(MissionHeader::end == MissionHeader::size);

} // namespace zev::mission
