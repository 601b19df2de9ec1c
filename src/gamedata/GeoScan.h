#pragma once

#include "common/Reporter.h"

#include <filesystem>

// The GEO scan ("Scan Geo Table" of the "Utilitys" menu): builds WTB.IDX, MEK.IDX and CHS.IDX in
// the program directory from the project archive and then runs the freshness check.
namespace zev::gamedata {

// The wait window shown while the scan runs; the editor shows a borderless stay-on-top window,
// the command line and tests do what they like.
class ScanProgress {
public:
    virtual ~ScanProgress() = default;
    virtual void show(const char* text) = 0;
    virtual void hide() = 0;
};

extern const char* const
    kScanWaitText; // "Please Wait, Scanning Mek, Poly, and Chassis Tables........"

struct GeoScanResult {
    bool built = false;        // all three files were built
    bool indexCurrent = false; // the freshness check after a complete scan
    std::uint32_t polyEntries = 0, mekEntries = 0, chassisEntries = 0; // n of each section
};

// Opens the archive named by `configuredArchivePath` (completed by CompleteArchivePath); on
// failure reports "Error opening ZEV Project File.." (caption "ZEVEDIT 3D", stop icon). Then
// builds the three files in order; a failed build hides the wait window, reports
// "Error building POLY Index File..", "Error building MEK Index File.." or
// "Error CHASSIS Index File.." (caption "ZEVEDIT 3D", stop icon), closes the archive and stops
// (files built before stay; the flag is not recomputed). A complete scan closes the archive and
// runs CheckIndexFiles.
GeoScanResult ScanGeoTable(const std::filesystem::path& configuredArchivePath,
                           const std::filesystem::path& programDirectory,
                           common::Reporter& reporter, ScanProgress* progress = nullptr);

} // namespace zev::gamedata
