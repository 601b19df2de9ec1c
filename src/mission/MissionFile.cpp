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

// A tag is accepted when its three letters stand in sequence within its four bytes, read as
// text up to the first NUL.
bool tagMatches(std::span<const std::uint8_t> tag, std::string_view letters) {
    const auto nul = std::find(tag.begin(), tag.end(), std::uint8_t{0});
    const std::string text(tag.begin(), nul);
    return text.find(letters) != std::string::npos;
}

enum class TagResult { Ok, Missing, Wrong };

TagResult readTag(ByteReader& in, std::string_view letters) {
    auto tag = in.take(4);
    if (!tag)
        return TagResult::Missing;
    return tagMatches(*tag, letters) ? TagResult::Ok : TagResult::Wrong;
}

template <typename Record> bool readRecord(ByteReader& in, Record& record) {
    return in.read(record.bytes());
}

} // namespace

std::vector<std::uint8_t> encode(const MissionDocument& document, const std::vector<int>& order) {
    ByteWriter out;
    out.chars("MDB ");
    out.bytes(document.header.bytes());
    for (const auto& sp : document.startPoints) {
        out.chars("STR ");
        out.bytes(sp.bytes());
    }
    for (const auto& star : document.stars) {
        out.chars("NAV ");
        for (const auto& nav : star)
            out.bytes(nav.bytes());
    }
    for (const auto& table : document.objectives) {
        out.chars("MSN ");
        table.writeTo(out);
    }
    out.chars("WEA ");
    out.bytes(document.weather.bytes());
    out.chars("COL ");
    out.bytes(document.palette.bytes());
    for (const auto& briefing : document.briefings) {
        out.chars("BRF ");
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
    out.chars("END ");
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
    ByteReader in(image);

    if (readTag(in, "MDB") != TagResult::Ok || !readRecord(in, doc->header))
        return fail(DecodeError::UnknownFileType);
    if (doc->header.text(MissionHeader::creator).find(kCreator) == std::string::npos)
        return fail(DecodeError::UnknownFileType);

    // Each section after its tag; a missing tag or body means the file ended early.
    const auto section = [&](std::string_view letters, auto&& readBody) {
        switch (readTag(in, letters)) {
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

    for (auto& sp : doc->startPoints)
        if (auto e = section("STR", [&] { return readRecord(in, sp); }); !check(e))
            return fail(e);
    for (auto& star : doc->stars) {
        const auto body = [&] {
            for (auto& nav : star)
                if (!readRecord(in, nav))
                    return false;
            return true;
        };
        if (auto e = section("NAV", body); !check(e))
            return fail(e);
    }
    for (auto& table : doc->objectives)
        if (auto e = section("MSN", [&] { return table.readFrom(in); }); !check(e))
            return fail(e);
    if (auto e = section("WEA", [&] { return readRecord(in, doc->weather); }); !check(e))
        return fail(e);
    if (auto e = section("COL", [&] { return readRecord(in, doc->palette); }); !check(e))
        return fail(e);
    for (auto& briefing : doc->briefings) {
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
        if (auto e = section("BRF", body); !check(e))
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
    if (readTag(in, "END") != TagResult::Ok)
        return fail(DecodeError::EndNotFound);

    result.document = std::move(doc);
    return result;
}

bool hasMissionTag(std::span<const std::uint8_t> prefix) {
    return prefix.size() >= 4 && tagMatches(prefix.first(4), "MDB");
}

bool save(MissionDocument& document, const fs::path& path, const ScenePositions& positions,
          std::uint8_t patchSetting, common::Reporter& reporter) {
    MissionHeader& header = document.header;
    header.setFloat32(MissionHeader::version, 3.0f);
    header.setText(MissionHeader::creator, kCreator);
    header.setByte(MissionHeader::patch, patchSetting);
    const std::vector<int> order = refreshPositions(document, positions);

    std::error_code ec;
    const bool hadFile = fs::exists(fs::symlink_status(path, ec));
    std::error_code reason;
    switch (common::writeFileAtomically(path, encode(document, order), &reason)) {
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
    document.modified = false;
    document.untitled = false;
    return true;
}

bool open(MissionDocument& document, std::uint8_t& patchSetting, const fs::path& path,
          common::Reporter& reporter) {
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
        reporter.report("Unkown File Type...", kReadCaption, MessageIcon::Stop);
        return false;
    }
    const auto image = common::readWholeFile(path, common::kNoSizeCap, &reason);
    if (!image)
        return cannotOpen(reason);
    Decoded decoded = decode(*image);
    switch (decoded.error) {
    case DecodeError::None:
        break;
    case DecodeError::UnknownFileType:
        reporter.report("Unkown File Type...", kReadCaption, MessageIcon::Stop);
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
    return true;
}

} // namespace zev::mission::MissionFile
