#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace zev::workspace {

// The rendering choices the start-up form offers. On this platform the display drivers are the
// screens, the rendering device the OpenGL driver the system loaded for the program (the one
// device that can draw here; kDeviceNote says so in the forms), and the display modes the
// render resolutions up to the screen size at the screen's colour depth.

constexpr int kMaxDrivers = 5;
constexpr int kMaxDevices = 5;
constexpr int kMaxModes = 50;

using DeviceGuid = std::array<std::uint8_t, 16>;

struct DriverRow {
    DeviceGuid guid{}; // all zero for the primary screen
    QString text;      // "%s (%s)": description, name; at most 50 characters
    int screenIndex = 0;
};

struct DeviceRow {
    DeviceGuid guid{};
    QString text; // "%s (%s)" for the full-screen list; the name for the windowed list
    bool hardware = false;
    bool software = false; // Mesa's software rasteriser, forced on
};

struct ModeRow {
    int width = 0, height = 0, depth = 0;
    QString text; // "%d x %d   (%d bit)"
};

struct DriverList {
    std::vector<DriverRow> rows;
};
struct DeviceList {
    std::vector<DeviceRow> rows;
};
struct WindowedDeviceList {
    std::vector<DeviceRow> rows;
    int preferred = -1;
};
struct ModeList {
    std::vector<ModeRow> rows;
    int defaultMode = 0;
};

// What a rasteriser reports of itself.
struct RasteriserInfo {
    QString renderer; // GL_RENDERER
    QString vendor;   // GL_VENDOR
    bool hardware = false;
    bool software = false;
    int colourBits = 24;
};

// The list logic, apart from the platform queries.
QString driverText(const QString& description, const QString& name);
QString modeText(int width, int height, int depth);
// Adds a usable device to the windowed list and applies the preference: the first device, then a
// hardware device over a software one. At most five devices.
void addWindowedDevice(WindowedDeviceList& list, const DeviceRow& row);
// The render resolutions up to `screenWidth` x `screenHeight` at `depth` bits (the screen's own
// size included), at most 50; 640 x 480 is the default mode when it is listed, otherwise the
// default keeps `previousDefault`.
ModeList displayModes(int screenWidth, int screenHeight, int depth, int previousDefault = 0);

// Platform queries (need a QGuiApplication).
DriverList enumerateDrivers();
// The rasteriser that draws for this program: the system's OpenGL driver (none when no context
// can be made).
std::vector<RasteriserInfo> probeRasterisers();
// What the forms say under the device lists.
inline constexpr const char* kDeviceNote =
    "The workspace is drawn by the OpenGL driver the system provides; no other can be chosen "
    "here. To draw with Mesa's software rasteriser, start the editor with "
    "LIBGL_ALWAYS_SOFTWARE=1.";
WindowedDeviceList enumerateWindowedDevices(const std::vector<RasteriserInfo>& rasterisers);
void enumerateDriverModes(const DriverList& drivers, int driverIndex,
                          const std::vector<RasteriserInfo>& rasterisers, DeviceList& devices,
                          ModeList& modes);

// The OpenGL version a context of the default format gets, as major << 8 | minor (0x0303 for
// 3.3); 0 when no context can be made.
int probeGraphicsVersion();
constexpr int kRequiredGraphicsVersion = 0x0303;
extern const char* const kGraphicsTooOldMessage;

} // namespace zev::workspace
