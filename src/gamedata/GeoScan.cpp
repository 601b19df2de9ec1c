#include "GeoScan.h"

#include "IndexFiles.h"
#include "ProjectArchive.h"

#include "common/FileIo.h"

namespace zev::gamedata {

namespace fs = std::filesystem;

const char* const kScanWaitText = "Please Wait, Scanning Mek, Poly, and Chassis Tables........";

namespace {

constexpr const char* kCaption = "ZEVEDIT 3D";

struct ScanStep {
    std::uint32_t (*build)(ProjectArchive&, const fs::path&, const fs::path&, IndexBuildFailure*);
    const char* failure;
    std::uint32_t GeoScanResult::*count;
};

} // namespace

GeoScanResult ScanGeoTable(const fs::path& configuredArchivePath, const fs::path& programDirectory,
                           common::Reporter& reporter, ScanProgress* progress) {
    GeoScanResult result;
    const fs::path archivePath = CompleteArchivePath(configuredArchivePath);
    ProjectArchive archive;
    if (!archive.OpenArchive(archivePath)) {
        reporter.report("Error opening ZEV Project File..", kCaption, common::MessageIcon::Stop);
        return result;
    }
    if (progress)
        progress->show(kScanWaitText);

    const ScanStep steps[] = {
        {BuildPolyIndex, "Error building POLY Index File..", &GeoScanResult::polyEntries},
        {BuildMekIndex, "Error building MEK Index File..", &GeoScanResult::mekEntries},
        {BuildChassisIndex, "Error CHASSIS Index File..", &GeoScanResult::chassisEntries},
    };
    for (const ScanStep& step : steps) {
        IndexBuildFailure failure;
        result.*step.count = step.build(archive, archivePath, programDirectory, &failure);
        if (result.*step.count == 0) {
            if (progress)
                progress->hide();
            reporter.report(common::messageWithFile(step.failure, failure.path, failure.reason),
                            kCaption, common::MessageIcon::Stop);
            archive.CloseArchive();
            return result;
        }
    }
    archive.CloseArchive();
    result.built = true;
    result.indexCurrent = CheckIndexFiles(archivePath, programDirectory);
    if (progress)
        progress->hide();
    return result;
}

} // namespace zev::gamedata
