// Feeds arbitrary bytes to the object group readers: as an image, and as a group file that is
// listed, read, rewritten, appended to and cut down.

#include "gamedata/GroupRecordCopy.h"
#include "gamedata/ObjectGroups.h"

#include "common/FileIo.h"
#include "mission/MissionObjectRecord.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace zev::gamedata;

// One small program directory per fuzzing process, reused by every run (libFuzzer ends the
// process without running exit handlers, so it stays behind in the temporary directory).
const fs::path& home() {
    static const fs::path dir = [] {
        const fs::path d =
            fs::temp_directory_path() / ("zev-odb-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(objectGroupDirectory(d));
        return d;
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (const ObjectGroupRecord& r : recordsFromBytes(bytes)) {
        std::size_t length = 0;
        for (const auto field : {ObjectGroupRecord::menuText, ObjectGroupRecord::objectName,
                                 ObjectGroupRecord::targetingInfo, ObjectGroupRecord::reservedText})
            length += r.text(field).size();
        zev::mission::MissionObjectRecord object;
        copyGroupRecordInto(r, object);
        (void)length;
    }

    const fs::path file = objectGroupPath(home(), "fuzz");
    zev::common::writeWholeFile(file, bytes);
    (void)listMenuTexts(home(), "fuzz");
    const std::size_t records = size / ObjectGroupRecord::size;
    if (const auto first = readObjectRecord(file, 0)) {
        rewriteObjectRecord(file, records - 1, *first);
        appendObjectRecord(file, *first);
    }
    deleteObjectRecord(file, size % 3);
    (void)readObjectGroup(file);
    return 0;
}
