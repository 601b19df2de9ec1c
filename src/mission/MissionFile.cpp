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

fs::path briefingFile(const fs::path& programDirectory, int b) {
    return programDirectory / ("brf" + std::to_string(b) + ".brf");
}

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

bool save(MissionDocument& document, const fs::path& path, const fs::path& programDirectory,
          const ScenePositions& positions, std::uint8_t patchSetting, common::Reporter& reporter) {
    MissionHeader& header = document.header;
    header.setFloat32(MissionHeader::version, 3.0f);
    header.setText(MissionHeader::creator, kCreator);
    header.setByte(MissionHeader::patch, patchSetting);
    const std::vector<int> order = refreshPositions(document, positions);

    // Each briefing travels through its temporary file, as the briefing editor saves it.
    MissionDocument image = document;
    for (int b = 0; b < kBriefingCount; ++b) {
        const fs::path file = briefingFile(programDirectory, b);
        const bool written = common::writeWholeFile(file, document.briefings[b]);
        auto bytes = written ? common::readWholeFile(file) : std::nullopt;
        std::error_code ec;
        fs::remove(file, ec);
        if (!bytes) {
            reporter.report("Error Writing Briefing Files...", "File Save Error!",
                            MessageIcon::Stop);
            return false;
        }
        image.briefings[b] = std::move(*bytes);
    }

    switch (common::writeFileAtomically(path, encode(image, order))) {
    case common::WriteResult::CannotCreate:
        reporter.report("File Access Denied", "FileSave Error...", MessageIcon::Information);
        return false;
    case common::WriteResult::WriteFailed:
        reporter.report("Error Writing Mission File...\r\nThe previous file was left unchanged.",
                        "FileSave Error...", MessageIcon::Stop);
        return false;
    case common::WriteResult::Written:
        break;
    }
    document.modified = false;
    document.untitled = false;
    return true;
}

bool open(MissionDocument& document, std::uint8_t& patchSetting, const fs::path& path,
          const fs::path& programDirectory, common::Reporter& reporter) {
    const auto image = common::readWholeFile(path);
    if (!image) {
        reporter.report("Couldn't Open File...", "File Open Error...", MessageIcon::Information);
        return false;
    }
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

    // Each briefing is loaded back through its temporary file, as the briefing editor loads it.
    MissionDocument& loaded = *decoded.document;
    for (int b = 0; b < kBriefingCount; ++b) {
        const fs::path file = briefingFile(programDirectory, b);
        const bool written = common::writeWholeFile(file, loaded.briefings[b]);
        auto bytes = written ? common::readWholeFile(file) : std::nullopt;
        std::error_code ec;
        fs::remove(file, ec);
        if (!bytes) {
            reporter.report("Error Writing Briefing Files...", "File Open Error!",
                            MessageIcon::Stop);
            return false;
        }
        loaded.briefings[b] = std::move(*bytes);
    }

    loaded.modified = false;
    loaded.untitled = false;
    patchSetting = loaded.header.byte(MissionHeader::patch);
    document = std::move(loaded);
    return true;
}

} // namespace zev::mission::MissionFile
