// Builds a small mission through the document model (a few objects, nav points, objectives and
// short briefings, their values taken from the input), encodes it and checks that the image
// reads back as the document. Then damages the image at places of its structure (section tags,
// briefing lengths, the object count, the end tag) as the rest of the input says, and decodes
// it again: an image the reader accepts must survive a write-and-read round trip unchanged.
// The inputs stay a few hundred bytes while the images are some 290 KB, so the mutations reach
// the structure behind the first sections much sooner than fuzz_mission_file does.

#include "mission/MissionFile.h"

#include "common/LittleEndian.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace zev::mission;

void require(bool condition) {
    if (!condition)
        std::abort();
}

std::string text(FuzzedDataProvider& in, std::size_t maxLength) {
    return in.ConsumeRandomLengthString(maxLength);
}

MissionObjectRecord objectFrom(FuzzedDataProvider& in) {
    using R = MissionObjectRecord;
    MissionObjectRecord r;
    r.setText(R::objectName, text(in, 24));
    r.setText(R::menuText, text(in, 34));
    for (int axis = 0; axis < 3; ++axis)
        r.setInt32(R::position(axis), in.ConsumeIntegral<std::int32_t>());
    r.setByte(R::readyMadeGroup, in.ConsumeIntegral<std::uint8_t>());
    r.setFloat32(R::spinnerTime, in.ConsumeFloatingPoint<float>());
    // Raw bytes anywhere in the record, so no field is left out.
    const auto raw = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 16));
    const std::size_t at = in.ConsumeIntegralInRange<std::size_t>(0, R::size - raw.size());
    std::copy(raw.begin(), raw.end(), r.bytes().begin() + static_cast<std::ptrdiff_t>(at));
    return r;
}

// Documents are some 700 KB; the ones of this file are kept from run to run and overwritten,
// which saves the fresh pages of new ones.
void fillDocument(FuzzedDataProvider& in, MissionDocument& doc) {
    static const MissionDocument empty;
    doc = empty;
    MissionHeader& h = doc.header;
    h.setFloat32(MissionHeader::version, 3.0f);
    h.setText(MissionHeader::creator, "ZEVEDIT 3D");
    h.setText(MissionHeader::projectName, text(in, 9));
    h.setText(MissionHeader::missionName, text(in, 39));
    h.setByte(MissionHeader::patch, in.ConsumeIntegral<std::uint8_t>());
    h.setInt32(MissionHeader::dfxInt(0), in.ConsumeIntegral<std::int32_t>());

    for (int p = in.ConsumeIntegralInRange(0, 3); p > 0; --p) {
        StartPointRecord& s = doc.startPoint(in.ConsumeIntegralInRange(1, kPlayerCount));
        s.setText(StartPointRecord::x, text(in, 34));
        s.setInt32(StartPointRecord::camouflage, in.ConsumeIntegral<std::int32_t>());
    }
    for (int n = in.ConsumeIntegralInRange(0, 3); n > 0; --n) {
        const int star = in.ConsumeIntegralInRange(0, kStarCount - 1);
        NavPointRecord& nav =
            doc.navPoint(star, in.ConsumeIntegralInRange(0, kNavPointsPerStar - 1));
        nav.setByte(NavPointRecord::inUse, 1);
        nav.setText(NavPointRecord::actions, text(in, 60));
    }
    for (int n = in.ConsumeIntegralInRange(0, 3); n > 0; --n) {
        ObjectiveTable& table = doc.objectives[in.ConsumeIntegralInRange(0, 7)];
        table.setMissionTimeLimit(text(in, 14));
        ObjectiveRow& row = table.row(in.ConsumeIntegralInRange(0, ObjectiveTable::rowCount - 1));
        row.setText(ObjectiveRow::action, text(in, 34));
        row.setText(ObjectiveRow::condition(in.ConsumeIntegralInRange(0, 7)), text(in, 34));
        row.setConditionsInUse(in.ConsumeIntegralInRange(-1, 9));
    }
    doc.weather.setInt32(WeatherRecord::type, in.ConsumeIntegralInRange(0, 3));
    doc.palette.setText(PaletteRecord::entry(in.ConsumeIntegralInRange(0, 19)), text(in, 29));

    for (int n = in.ConsumeIntegralInRange(0, 5); n > 0; --n) {
        const int slot = in.ConsumeIntegralInRange(0, ObjectTable::capacity - 1);
        doc.objects.place(slot, objectFrom(in));
    }
    for (auto& briefing : doc.briefings) {
        const std::string b = text(in, 48);
        briefing.assign(b.begin(), b.end());
    }
}

// Where the structure of an encoded image is: each tag, the header's creator text, the
// briefing lengths, the object count and each object, the end tag and the image's end.
std::vector<std::size_t> landmarks(const MissionDocument& doc, std::size_t objectCount,
                                   std::size_t imageSize) {
    std::vector<std::size_t> marks;
    std::size_t at = 0;
    const auto section = [&](std::size_t bodySize) {
        marks.push_back(at);
        at += 4 + bodySize;
    };
    marks.push_back(4 + MissionHeader::creator.offset);
    section(MissionHeader::size);
    for (int i = 0; i < kPlayerCount; ++i)
        section(StartPointRecord::size);
    for (int i = 0; i < kStarCount; ++i)
        section(kNavPointsPerStar * NavPointRecord::size);
    for (int i = 0; i < kObjectiveTableCount; ++i)
        section(ObjectiveTable::size);
    section(WeatherRecord::size);
    section(PaletteRecord::size);
    for (const auto& briefing : doc.briefings) {
        marks.push_back(at + 4);
        section(4 + briefing.size());
    }
    marks.push_back(at);
    at += 4;
    for (std::size_t i = 0; i < objectCount; ++i) {
        marks.push_back(at);
        at += MissionObjectRecord::size;
    }
    marks.push_back(at);
    at += 4;
    require(at == imageSize);
    marks.push_back(at);
    return marks;
}

// The document as it reads back: its objects moved to slots 0, 1, ... in the written order.
const MissionDocument& asRead(const MissionDocument& doc, const std::vector<int>& order) {
    static MissionDocument read;
    read = doc;
    read.objects.freeAll();
    int slot = 0;
    for (int s : order)
        read.objects.place(slot++, *doc.objects.find(s));
    return read;
}

void requireRoundTrip(const MissionDocument& doc) {
    const auto again = MissionFile::decode(MissionFile::encode(doc, doc.objects.occupiedSlots()));
    require(again.document && *again.document == doc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    static MissionDocument doc;
    fillDocument(in, doc);
    std::vector<int> order = doc.objects.occupiedSlots();
    if (in.ConsumeBool())
        std::reverse(order.begin(), order.end());
    std::vector<std::uint8_t> image = MissionFile::encode(doc, order);
    const std::vector<std::size_t> marks = landmarks(doc, order.size(), image.size());

    const auto decoded = MissionFile::decode(image);
    require(decoded.document && decoded.error == MissionFile::DecodeError::None);
    require(*decoded.document == asRead(doc, order));

    const int edits = in.ConsumeIntegralInRange(1, 4);
    bool onlyCut = true;
    const std::size_t fullSize = image.size();
    for (int e = 0; e < edits; ++e) {
        const std::size_t mark = marks[in.ConsumeIntegralInRange<std::size_t>(0, marks.size() - 1)];
        const std::size_t at =
            std::min(image.size(), static_cast<std::size_t>(std::max<std::int64_t>(
                                       0, static_cast<std::int64_t>(mark) +
                                              in.ConsumeIntegralInRange<std::int64_t>(-6, 6))));
        switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0: // one byte
            if (at < image.size())
                image[at] = in.ConsumeIntegral<std::uint8_t>();
            onlyCut = false;
            break;
        case 1: // a 32-bit word: a length, a count or four tag letters
            if (at + 4 <= image.size())
                zev::common::putU32(image.data() + at, in.ConsumeIntegral<std::uint32_t>());
            onlyCut = false;
            break;
        case 2: // the file ends here
            image.resize(at);
            break;
        case 3: { // bytes left out
            const auto count =
                std::min(image.size() - at,
                         in.ConsumeIntegralInRange<std::size_t>(1, MissionObjectRecord::size + 8));
            image.erase(image.begin() + static_cast<std::ptrdiff_t>(at),
                        image.begin() + static_cast<std::ptrdiff_t>(at + count));
            onlyCut = false;
            break;
        }
        case 4: { // bytes put in
            const auto bytes =
                in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(1, 64));
            image.insert(image.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin(),
                         bytes.end());
            onlyCut = false;
            break;
        }
        default: // bytes behind the end tag
            image.resize(image.size() + in.ConsumeIntegralInRange<std::size_t>(1, 32), 0);
            onlyCut = false;
            break;
        }
    }

    const auto damaged = MissionFile::decode(image);
    require(damaged.document.operator bool() == (damaged.error == MissionFile::DecodeError::None));
    // Every byte up to the end tag is needed, so a shortened image is refused: as of no known
    // type without its whole header, as ending early after it.
    if (onlyCut && image.size() < fullSize) {
        const bool wholeHeader = image.size() >= 4 + MissionHeader::size;
        require(!damaged.document &&
                damaged.error == (wholeHeader ? MissionFile::DecodeError::EndNotFound
                                              : MissionFile::DecodeError::UnknownFileType));
    }
    if (damaged.document)
        requireRoundTrip(*damaged.document);
    return 0;
}
