#include "MissionFile.h"

#include "common/ByteReader.h"
#include "common/ByteWriter.h"
#include "common/FileIo.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <system_error>

namespace zev::mission::MissionFile {

namespace fs = std::filesystem;
using common::ByteReader;
using common::ByteWriter;
using common::MessageIcon;

namespace {

constexpr char kCreator[] = "ZEVEDIT 3D";
constexpr const char* kReadCaption = "File Read Error...";

enum class TagResult { Ok, Missing, Wrong };

// Keeps the tag as read in `kept`, so the file's framing can be written again.
TagResult readTag(ByteReader& in, std::string_view letters, Tag& kept) {
    auto tag = in.take(4);
    if (!tag)
        return TagResult::Missing;
    std::copy(tag->begin(), tag->end(), kept.begin());
    return tagAccepted(*tag, letters) ? TagResult::Ok : TagResult::Wrong;
}

Tag tagOf(const char (&letters)[5]) {
    return {std::uint8_t(letters[0]), std::uint8_t(letters[1]), std::uint8_t(letters[2]),
            std::uint8_t(letters[3])};
}

bool writeImage(const fs::path& path, std::span<const std::uint8_t> image,
                common::Reporter& reporter) {
    std::error_code ec;
    const bool hadFile = fs::exists(fs::symlink_status(path, ec));
    std::error_code reason;
    switch (common::writeFileAtomically(path, image, &reason)) {
    case common::WriteResult::CannotCreate:
        reporter.report("File Access Denied", "FileSave Error...", MessageIcon::Information);
        reporter.detail(common::describeFileFailure("cannot create", path, reason));
        return false;
    case common::WriteResult::WriteFailed:
        reporter.report(hadFile ? "Error Writing Mission File...\r\nThe previous file was left "
                                  "unchanged."
                                : "Error Writing Mission File...",
                        "FileSave Error...", MessageIcon::Stop);
        reporter.detail(common::describeFileFailure("cannot write", path, reason));
        return false;
    case common::WriteResult::Written:
        break;
    }
    return true;
}

template <typename Record> bool readRecord(ByteReader& in, Record& record) {
    return in.read(record.bytes());
}

} // namespace

// A tag is accepted when its three letters stand in sequence within its four bytes, read as
// text up to the first NUL.
bool tagAccepted(std::span<const std::uint8_t> tag, std::string_view letters) {
    const auto nul = std::find(tag.begin(), tag.end(), std::uint8_t{0});
    const std::string text(tag.begin(), nul);
    return text.find(letters) != std::string::npos;
}

Framing Framing::standard() {
    Framing f;
    f.mission = tagOf("MDB ");
    f.startPoints.fill(tagOf("STR "));
    f.stars.fill(tagOf("NAV "));
    f.objectives.fill(tagOf("MSN "));
    f.weather = tagOf("WEA ");
    f.palette = tagOf("COL ");
    f.briefings.fill(tagOf("BRF "));
    f.end = tagOf("END ");
    return f;
}

std::vector<std::uint8_t> encode(const MissionDocument& document, const std::vector<int>& order,
                                 const Framing& framing) {
    ByteWriter out;
    out.bytes(framing.mission);
    out.bytes(document.header.bytes());
    for (std::size_t i = 0; i < document.startPoints.size(); ++i) {
        out.bytes(framing.startPoints[i]);
        out.bytes(document.startPoints[i].bytes());
    }
    for (std::size_t s = 0; s < document.stars.size(); ++s) {
        out.bytes(framing.stars[s]);
        for (const auto& nav : document.stars[s])
            out.bytes(nav.bytes());
    }
    for (std::size_t t = 0; t < document.objectives.size(); ++t) {
        out.bytes(framing.objectives[t]);
        document.objectives[t].writeTo(out);
    }
    out.bytes(framing.weather);
    out.bytes(document.weather.bytes());
    out.bytes(framing.palette);
    out.bytes(document.palette.bytes());
    for (std::size_t b = 0; b < document.briefings.size(); ++b) {
        const auto& briefing = document.briefings[b];
        out.bytes(framing.briefings[b]);
        out.u32(static_cast<std::uint32_t>(briefing.size()));
        out.bytes(briefing);
    }
    const std::size_t countAt = out.size();
    out.u32(0);
    std::uint32_t count = 0;
    for (int slot : order) {
        if (const MissionObjectRecord* r = document.objects.find(slot)) {
            out.bytes(r->bytes());
            ++count;
        }
    }
    out.patchU32(countAt, count);
    out.bytes(framing.end);
    out.bytes(framing.afterEnd);
    return out.take();
}

Decoded decode(std::span<const std::uint8_t> image) {
    Decoded result;
    const auto fail = [&](DecodeError e) {
        result.document.reset();
        result.error = e;
        return std::move(result);
    };
    auto doc = std::make_unique<MissionDocument>();
    Framing& framing = result.framing;
    ByteReader in(image);

    if (readTag(in, "MDB", framing.mission) != TagResult::Ok || !readRecord(in, doc->header))
        return fail(DecodeError::UnknownFileType);
    if (doc->header.text(MissionHeader::creator).find(kCreator) == std::string::npos)
        return fail(DecodeError::UnknownFileType);

    // Each section after its tag; a missing tag or body means the file ended early.
    const auto section = [&](std::string_view letters, Tag& kept, auto&& readBody) {
        switch (readTag(in, letters, kept)) {
        case TagResult::Missing:
            return DecodeError::EndNotFound;
        case TagResult::Wrong:
            return DecodeError::UnknownEntry;
        case TagResult::Ok:
            break;
        }
        return readBody() ? DecodeError::None : DecodeError::EndNotFound;
    };
    const auto check = [&](DecodeError e) { return e == DecodeError::None; };

    for (std::size_t i = 0; i < doc->startPoints.size(); ++i) {
        const auto body = [&] { return readRecord(in, doc->startPoints[i]); };
        if (auto e = section("STR", framing.startPoints[i], body); !check(e))
            return fail(e);
    }
    for (std::size_t s = 0; s < doc->stars.size(); ++s) {
        const auto body = [&] {
            for (auto& nav : doc->stars[s])
                if (!readRecord(in, nav))
                    return false;
            return true;
        };
        if (auto e = section("NAV", framing.stars[s], body); !check(e))
            return fail(e);
    }
    for (std::size_t t = 0; t < doc->objectives.size(); ++t) {
        const auto body = [&] { return doc->objectives[t].readFrom(in); };
        if (auto e = section("MSN", framing.objectives[t], body); !check(e))
            return fail(e);
    }
    if (auto e = section("WEA", framing.weather, [&] { return readRecord(in, doc->weather); });
        !check(e))
        return fail(e);
    if (auto e = section("COL", framing.palette, [&] { return readRecord(in, doc->palette); });
        !check(e))
        return fail(e);
    for (std::size_t b = 0; b < doc->briefings.size(); ++b) {
        auto& briefing = doc->briefings[b];
        const auto body = [&] {
            const auto length = in.u32();
            if (!length)
                return false;
            const auto bytes = in.take(*length);
            if (!bytes)
                return false;
            briefing.assign(bytes->begin(), bytes->end());
            return true;
        };
        if (auto e = section("BRF", framing.briefings[b], body); !check(e))
            return fail(e);
    }

    const auto count = in.i32();
    if (!count)
        return fail(DecodeError::EndNotFound);
    if (*count < 0 || *count > ObjectTable::capacity)
        return fail(DecodeError::BadObjectCount);
    for (int slot = 0; slot < *count; ++slot) {
        MissionObjectRecord record;
        if (!readRecord(in, record))
            return fail(DecodeError::EndNotFound);
        doc->objects.place(slot, record);
    }
    if (readTag(in, "END", framing.end) != TagResult::Ok)
        return fail(DecodeError::EndNotFound);
    // Open ignores what follows the final tag; it is kept only to write the file again.
    const auto rest = in.take(in.remaining());
    framing.afterEnd.assign(rest->begin(), rest->end());

    result.document = std::move(doc);
    return result;
}

bool hasMissionTag(std::span<const std::uint8_t> prefix) {
    return prefix.size() >= 4 && tagAccepted(prefix.first(4), "MDB");
}

bool save(MissionDocument& document, const fs::path& path, const ScenePositions& positions,
          std::uint8_t patchSetting, common::Reporter& reporter) {
    MissionHeader& header = document.header;
    header.setFloat32(MissionHeader::version, 3.0f);
    header.setText(MissionHeader::creator, kCreator);
    header.setByte(MissionHeader::patch, patchSetting);
    const std::vector<int> order = refreshPositions(document, positions);
    if (!writeImage(path, encode(document, order), reporter))
        return false;
    document.modified = false;
    document.untitled = false;
    return true;
}

bool saveAsStored(const MissionDocument& document, const Framing& framing, const fs::path& path,
                  common::Reporter& reporter) {
    return writeImage(path, encode(document, document.objects.occupiedSlots(), framing), reporter);
}

bool open(MissionDocument& document, std::uint8_t& patchSetting, const fs::path& path,
          common::Reporter& reporter, Framing* framing) {
    const auto cannotOpen = [&](const std::error_code& reason) {
        reporter.report("Couldn't Open File...", "File Open Error...", MessageIcon::Information);
        reporter.detail(common::describeFileFailure("cannot read", path, reason));
        return false;
    };
    // The tag first: a large file of another kind is refused before it is read.
    std::error_code reason;
    const auto prefix = common::readFilePrefix(path, 4, &reason);
    if (!prefix)
        return cannotOpen(reason);
    if (!hasMissionTag(*prefix)) {
        reporter.report(common::messageWithFile("Unkown File Type...", path,
                                                "no mission file tag at its start"),
                        kReadCaption, MessageIcon::Stop);
        return false;
    }
    // No larger file is read: a large tail behind a good mission would otherwise be held whole.
    const auto image = common::readWholeFile(path, kMaxFileSize, &reason);
    if (!image)
        return cannotOpen(reason);
    Decoded decoded = decode(*image);
    switch (decoded.error) {
    case DecodeError::None:
        break;
    case DecodeError::UnknownFileType:
        reporter.report(common::messageWithFile("Unkown File Type...", path,
                                                "no mission header written by this editor"),
                        kReadCaption, MessageIcon::Stop);
        return false;
    case DecodeError::UnknownEntry:
        reporter.report("Unkown File Entry Encountered", kReadCaption, MessageIcon::Stop);
        return false;
    case DecodeError::BadObjectCount:
        reporter.report("Damaged Mission File: Invalid Object Count", kReadCaption,
                        MessageIcon::Stop);
        return false;
    case DecodeError::EndNotFound:
        reporter.report("End of File Not Found!", kReadCaption, MessageIcon::Stop);
        return false;
    }

    MissionDocument& loaded = *decoded.document;
    loaded.modified = false;
    loaded.untitled = false;
    patchSetting = loaded.header.byte(MissionHeader::patch);
    document = std::move(loaded);
    if (framing)
        *framing = std::move(decoded.framing);
    return true;
}

} // namespace zev::mission::MissionFile
