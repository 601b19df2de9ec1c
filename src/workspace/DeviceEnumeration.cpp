#include "DeviceEnumeration.h"

#include <QCryptographicHash>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>

#include <algorithm>

namespace zev::workspace {

const char* const kGraphicsTooOldMessage =
    "ZEVEDIT 3D requires OpenGL 3.3 or greater\r\nin order to run.";

QString driverText(const QString& description, const QString& name) {
    return QStringLiteral("%1 (%2)").arg(description, name).left(50);
}

QString modeText(int width, int height, int depth) {
    return QStringLiteral("%1 x %2   (%3 bit)").arg(width).arg(height).arg(depth).left(30);
}

void addWindowedDevice(WindowedDeviceList& list, const DeviceRow& row) {
    if (static_cast<int>(list.rows.size()) >= kMaxDevices)
        return;
    list.rows.push_back(row);
    const int index = static_cast<int>(list.rows.size()) - 1;
    if (list.preferred < 0 || (row.hardware && !list.rows[list.preferred].hardware))
        list.preferred = index;
}

ModeList displayModes(int screenWidth, int screenHeight, int depth, int previousDefault) {
    static constexpr std::pair<int, int> sizes[] = {
        {320, 200},   {320, 240},   {400, 300},   {512, 384},   {640, 400},   {640, 480},
        {800, 600},   {1024, 768},  {1152, 864},  {1280, 720},  {1280, 800},  {1280, 960},
        {1280, 1024}, {1360, 768},  {1366, 768},  {1400, 1050}, {1440, 900},  {1600, 900},
        {1600, 1200}, {1680, 1050}, {1920, 1080}, {1920, 1200}, {2048, 1152}, {2560, 1080},
        {2560, 1440}, {2560, 1600}, {3440, 1440}, {3840, 2160}, {5120, 2880}, {7680, 4320}};
    std::vector<std::pair<int, int>> chosen;
    for (const auto& s : sizes)
        if (s.first <= screenWidth && s.second <= screenHeight)
            chosen.push_back(s);
    if (screenWidth > 0 && screenHeight > 0 &&
        std::find(chosen.begin(), chosen.end(), std::pair{screenWidth, screenHeight}) ==
            chosen.end())
        chosen.emplace_back(screenWidth, screenHeight);
    ModeList modes;
    modes.defaultMode = previousDefault;
    for (const auto& [w, h] : chosen) {
        if (static_cast<int>(modes.rows.size()) >= kMaxModes)
            break;
        modes.rows.push_back({w, h, depth, modeText(w, h, depth)});
        if (w == 640 && h == 480)
            modes.defaultMode = static_cast<int>(modes.rows.size()) - 1;
    }
    return modes;
}

namespace {

DeviceGuid guidOf(const QString& text) {
    DeviceGuid g{};
    const QByteArray hash = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(hash.constData()), 16, g.begin());
    return g;
}

RasteriserInfo queryCurrentRasteriser() {
    RasteriserInfo info;
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    if (!context.create() || !context.makeCurrent(&surface))
        return info;
    QOpenGLFunctions* f = context.functions();
    info.renderer = QString::fromLatin1(reinterpret_cast<const char*>(f->glGetString(GL_RENDERER)));
    info.vendor = QString::fromLatin1(reinterpret_cast<const char*>(f->glGetString(GL_VENDOR)));
    const QString r = info.renderer.toLower();
    info.software = r.contains(QStringLiteral("llvmpipe")) ||
                    r.contains(QStringLiteral("softpipe")) ||
                    r.contains(QStringLiteral("software"));
    info.hardware = !info.software;
    const QSurfaceFormat format = context.format();
    info.colourBits = format.redBufferSize() + format.greenBufferSize() + format.blueBufferSize();
    context.doneCurrent();
    return info;
}

} // namespace

int probeGraphicsVersion() {
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    QSurfaceFormat format;
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    context.setFormat(format);
    if (!context.create() || !context.makeCurrent(&surface))
        return 0;
    const QPair<int, int> v = context.format().version();
    context.doneCurrent();
    return (v.first << 8) | v.second;
}

DriverList enumerateDrivers() {
    DriverList list;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size() && i < kMaxDrivers; ++i) {
        QScreen* s = screens[i];
        DriverRow row;
        // The primary screen has no identifier of its own.
        if (s != QGuiApplication::primaryScreen())
            row.guid = guidOf(s->name() + s->serialNumber());
        const QString description = s->model().isEmpty() ? QStringLiteral("Display") : s->model();
        row.text =
            driverText(description, s->name().isEmpty() ? QStringLiteral("screen") : s->name());
        row.screenIndex = i;
        list.rows.push_back(row);
    }
    return list;
}

std::vector<RasteriserInfo> probeRasterisers() {
    std::vector<RasteriserInfo> list;
    RasteriserInfo first = queryCurrentRasteriser();
    if (first.renderer.isEmpty())
        return list;
    // Qt draws with the driver the system loads for the process; no other can be chosen once
    // the program runs, so the lists offer that one alone.
    list.push_back(first);
    return list;
}

namespace {

DeviceRow deviceRow(const RasteriserInfo& r, bool fullScreenText) {
    DeviceRow row;
    const QString description = r.software ? QStringLiteral("Mesa Software Rasteriser")
                                           : QStringLiteral("OpenGL Hardware Driver");
    row.text = fullScreenText ? driverText(description, r.renderer) : r.renderer.left(50);
    row.guid = guidOf(description + r.renderer);
    row.hardware = r.hardware;
    row.software = r.software;
    return row;
}

} // namespace

WindowedDeviceList enumerateWindowedDevices(const std::vector<RasteriserInfo>& rasterisers) {
    WindowedDeviceList list;
    for (const RasteriserInfo& r : rasterisers)
        addWindowedDevice(list, deviceRow(r, false));
    return list;
}

void enumerateDriverModes(const DriverList& drivers, int driverIndex,
                          const std::vector<RasteriserInfo>& rasterisers, DeviceList& devices,
                          ModeList& modes) {
    devices.rows.clear();
    if (driverIndex < 0 || driverIndex >= static_cast<int>(drivers.rows.size()))
        return;
    for (const RasteriserInfo& r : rasterisers)
        if (static_cast<int>(devices.rows.size()) < kMaxDevices)
            devices.rows.push_back(deviceRow(r, true));
    const QList<QScreen*> screens = QGuiApplication::screens();
    const int screenIndex = drivers.rows[driverIndex].screenIndex;
    if (screenIndex >= screens.size())
        return;
    QScreen* screen = screens[screenIndex];
    const QSize size = screen->size() * screen->devicePixelRatio();
    modes = displayModes(size.width(), size.height(), screen->depth(), modes.defaultMode);
}

} // namespace zev::workspace
