#include "ObjectScript.h"

#include "SourceFormat.h"

#include "common/Numbers.h"

namespace zev::build {

using mission::MissionObjectRecord;
using R = MissionObjectRecord;

namespace {

constexpr char kQuote = '"';

struct Triple {
    int x, y, z;
};

Triple triple(const R& o, common::Int32Field (*field)(int)) {
    return {o.int32(field(0)), o.int32(field(1)), o.int32(field(2))};
}

void pathBlock(std::string& out, int k, const R& o) {
    appendf(out, "       path object_main%d_path\n", k);
    for (int p = 0; p < R::pathPointCount; ++p) {
        if (o.byte(R::pathPointEnabled(p)) == 0)
            continue;
        appendf(out, "         %d %d %d %d %d %d %d\n", o.int32(R::pathPointPosition(p, 0)),
                o.int32(R::pathPointPosition(p, 1)), o.int32(R::pathPointPosition(p, 2)),
                o.int16(R::pathPointRotation(p, 0)), o.int16(R::pathPointRotation(p, 1)),
                o.int16(R::pathPointRotation(p, 2)), o.int16(R::pathPointTime(p)));
    }
    out += "       end\n";
}

void standardObject(std::string& out, int k, const R& o, const Triple& s, const Triple& pos) {
    const Triple mr = triple(o, R::mainRotation);
    const Triple ar = triple(o, R::alternateRotation);
    const Triple cr = triple(o, R::chunkRotation);
    const std::string geometry = o.text(R::objectName);
    const std::string alternate = o.text(R::alternateName);
    const std::string chunk = o.text(R::chunkName);
    const std::string role = o.text(R::gamethingRole);
    const std::string targeting = o.text(R::targetingInfo);
    const std::string inspection = o.text(R::inspectionInfo);
    const bool canTarget = o.byte(R::canTarget) != 0;

    if (!alternate.empty() && canTarget) {
        appendf(out, "       object object_alt%d=%s %d,%d,%d %d,%d,%d %d,%d,%d 0 none world\n", k,
                alternate.c_str(), s.x, s.y, s.z, ar.x, ar.y, ar.z, pos.x, pos.y, pos.z);
        appendf(out, "          collision object_alt%d %s\n", k, o.text(R::alternateType).c_str());
    }
    appendf(out, "       object object_main%d=%s %d,%d,%d %d,%d,%d %d,%d,%d 0 %s %s\n", k,
            geometry.c_str(), s.x, s.y, s.z, mr.x, mr.y, mr.z, pos.x, pos.y, pos.z,
            o.text(R::objectType).c_str(), o.text(R::objectParent).c_str());
    if (o.byte(R::collisionOn) != 0)
        appendf(out, "          collision object_main%d %s\n", k, o.text(R::mainType).c_str());
    if (canTarget && !alternate.empty())
        appendf(out, "          gamething object_main%d %d object_alt%d %s %c%s%c %c%s%c\n", k,
                o.int32(R::hitsToDestroy), k, role.c_str(), kQuote, targeting.c_str(), kQuote,
                kQuote, inspection.c_str(), kQuote);
    if (canTarget && alternate.empty())
        appendf(out, "          gamething object_main%d %d . %s %c%s%c %c%s%c\n", k,
                o.int32(R::hitsToDestroy), role.c_str(), kQuote, targeting.c_str(), kQuote, kQuote,
                inspection.c_str(), kQuote);
    if (canTarget && !chunk.empty()) {
        appendf(out,
                "       object object_chunk1%d=%s %d,%d,%d %d,%d,%d %d,%d,%d 0 none "
                "object_alt%d\n",
                k, chunk.c_str(), s.x, s.y, s.z, cr.x, cr.y, cr.z, pos.x, pos.y, pos.z, k);
        appendf(out, "          gamething object_chunk1%d 0 . . %cnone%c chunky\n", k, kQuote,
                kQuote);
    }
    if (o.byte(R::spinnerEnabled) != 0) {
        appendf(out, "       task spinner %d object_main%d;%d,%d,%d,%s", o.int16(R::spinnerPeriod),
                k, o.int16(R::spinnerRotation(0)), o.int16(R::spinnerRotation(1)),
                o.int16(R::spinnerRotation(2)), common::cFloat(o.float32(R::spinnerTime)).c_str());
        out += "\n";
    }
    if (o.byte(R::colorSpinEnabled) != 0) {
        int c[R::colorSpinColorCount];
        for (int i = 0; i < R::colorSpinColorCount; ++i)
            c[i] = o.int16(R::colorSpinColor(i));
        appendf(
            out,
            "       task colorspin %d object_main%d;%d,%d,%d,%d %d %d %d %d %d %d %d %d %d %d %d "
            "%d",
            o.int16(R::colorSpinPeriod), k, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8],
            c[9], c[10], c[11], c[12], c[13], c[14], c[15]);
        out += "\n";
    }
    if (o.byte(R::flyCircleEnabled) != 0) {
        appendf(out, "       task flycircle %d object_main%d;%d,%d %d", o.int16(R::flyCirclePeriod),
                k, o.int32(R::flyCircleRadius), o.int16(R::flyCircleInterval),
                o.byte(R::flyCircleActive));
        out += "\n";
    }
    if (o.byte(R::ambientSoundEnabled) != 0) {
        appendf(out, "       task ambientsound 0 object_main%d;%d,%s,%d", k,
                o.int32(R::ambientSoundRadius), o.text(R::ambientSoundFile).c_str(),
                o.byte(R::ambientSoundActive));
        out += "\n";
    }
    if (o.byte(R::pathEnabled) != 0) {
        appendf(out, "       task path %d object_main%d;%s,%s,object_main%d_path",
                o.int16(R::pathPeriod), k, o.text(R::pathLooping).c_str(),
                o.text(R::pathRotation).c_str(), k);
        out += "\n";
    }
}

} // namespace

std::string areaHeader() {
    return "mangle_on\n"
           "block -346771,-16473,-336214 698624,90632,698625\n";
}

std::string areaTrailer() {
    return "endblock\n"
           "mangle_off\n";
}

int objectArea(const R& object) {
    return common::leadingInt(object.text(R::areaFile));
}

std::string objectSection(int k, const R& o, const std::array<std::int32_t, 3>& position) {
    std::string out;
    const Triple s = triple(o, R::scale);
    const Triple pos{position[0], position[1], position[2]};
    out += "\n";
    out += "#   Object number ";
    appendf(out, "%d", k + 1);
    out += " def begin\n";
    if (o.byte(R::pathEnabled) != 0)
        pathBlock(out, k, o);
    if (o.isReadyMadeGroup()) {
        const Triple mr = triple(o, R::mainRotation);
        appendf(out, "       block_xform %d,%d,%d %d,%d,%d %d,%d,%d\n", s.x, s.y, s.z, mr.x, mr.y,
                mr.z, pos.x, pos.y, pos.z);
        appendf(out, "       include %s\n", o.text(R::objectName).c_str());
    } else {
        standardObject(out, k, o, s, pos);
    }
    out += "#   Object number ";
    appendf(out, "%d", k + 1);
    out += " def end\n";
    return out;
}

} // namespace zev::build
