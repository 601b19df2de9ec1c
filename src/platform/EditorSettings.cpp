#include "EditorSettings.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <algorithm>
#include <string>

namespace zev::platform {

namespace {

constexpr const char* R = SettingsStore::kRenderOptions;
constexpr const char* S = SettingsStore::kSetup;

std::string name(const char* prefix, const char* suffix) {
    return std::string(prefix) + ' ' + suffix;
}

} // namespace

Rgb readColour(const SettingsStore& store, const ColourKey& key) {
    return {store.integer(R, name(key.prefix, "Red").c_str(), key.defaultValue.red),
            store.integer(R, name(key.prefix, "Green").c_str(), key.defaultValue.green),
            store.integer(R, name(key.prefix, "Blue").c_str(), key.defaultValue.blue)};
}

void writeColour(SettingsStore& store, const char* prefix, const Rgb& colour) {
    store.setInteger(R, name(prefix, "Red").c_str(), colour.red);
    store.setInteger(R, name(prefix, "Green").c_str(), colour.green);
    store.setInteger(R, name(prefix, "Blue").c_str(), colour.blue);
}

Rgb playerColour(const SettingsStore& store, int player) {
    const std::string prefix = "Player " + std::to_string(player);
    return readColour(store, {prefix.c_str(), {0, 0, 255}});
}

SpeedSettings readSpeeds(const SettingsStore& store, bool fullScreen) {
    const char* p = fullScreen ? "fs" : "W";
    const auto key = [&](const char* n) { return std::string(p) + n; };
    SpeedSettings s;
    s.objectRotation = store.integer(R, key("Object Rotation").c_str(), 10);
    s.objectMovement = store.integer(R, key("Obj Movement").c_str(), 10);
    s.cameraMovement = store.integer(R, key("Camera Movement").c_str(), 10);
    s.cameraUpDown = store.integer(R, key("Camera UpDown").c_str(), 10);
    s.cameraSteerSpeed = store.integer(R, key("Camera Steer Speed").c_str(), 10);
    s.autoZoom = store.boolean(R, key("Auto Zoom").c_str(), true);
    return s;
}

void writeSpeeds(SettingsStore& store, bool fullScreen, const SpeedSettings& s) {
    const char* p = fullScreen ? "fs" : "W";
    const auto key = [&](const char* n) { return std::string(p) + n; };
    store.setInteger(R, key("Object Rotation").c_str(), s.objectRotation);
    store.setInteger(R, key("Obj Movement").c_str(), s.objectMovement);
    store.setInteger(R, key("Camera Movement").c_str(), s.cameraMovement);
    store.setInteger(R, key("Camera UpDown").c_str(), s.cameraUpDown);
    store.setInteger(R, key("Camera Steer Speed").c_str(), s.cameraSteerSpeed);
    store.setBoolean(R, key("Auto Zoom").c_str(), s.autoZoom);
}

ViewAids readViewAids(const SettingsStore& store) {
    return {store.boolean(R, "Ground Grid", true), store.boolean(R, "Editor Lighting", true)};
}

void writeViewAids(SettingsStore& store, const ViewAids& aids) {
    store.setBoolean(R, "Ground Grid", aids.groundGrid);
    store.setBoolean(R, "Editor Lighting", aids.editorLighting);
}

SnapSettings readSnap(const SettingsStore& store) {
    return {store.boolean(R, "Snap to Grid", false), store.integer(R, "Snap Size", 10)};
}

void writeSnap(SettingsStore& store, const SnapSettings& snap) {
    store.setBoolean(R, "Snap to Grid", snap.on);
    store.setInteger(R, "Snap Size", snap.size);
}

namespace {

constexpr const char* kMissionCameras = "Mission Cameras";

// A key of its own for each file and slot: a digest of the absolute path, so any path (with
// separators, blanks, any characters) makes a plain key.
std::string missionCamerasKey(const QString& missionFile, int slot) {
    const QByteArray digest = QCryptographicHash::hash(
        QFileInfo(missionFile).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1);
    return digest.toHex().left(20).toStdString() + " " + std::to_string(slot);
}

} // namespace

QString missionCameras(const SettingsStore& store, const QString& missionFile, int slot) {
    return store.text(kMissionCameras, missionCamerasKey(missionFile, slot).c_str());
}

void setMissionCameras(SettingsStore& store, const QString& missionFile, int slot,
                       const QString& text) {
    store.setText(kMissionCameras, missionCamerasKey(missionFile, slot).c_str(), text);
}

RenderChoice readRenderChoice(const SettingsStore& store) {
    RenderChoice c;
    c.fullScreen = store.integer(R, "Launch Mode", 0) != 0;
    if (const int v = store.integer(R, "Windowed Device", 0); v > 0)
        c.windowedDevice = v - 1;
    if (const int v = store.integer(R, "Fullscreen Driver", 0); v > 0)
        c.fullscreenDriver = v - 1;
    if (const int v = store.integer(R, "Fullscreen Device", 0); v > 0) {
        c.fullscreenDevice = v - 1;
        if (const int m = store.integer(R, "Display Mode", 0); m > 0) {
            c.displayMode = m - 1;
            c.displayModeStored = true;
        }
    }
    c.spriteMouse = store.integer(R, "Use Sprite Mouse", 0) > 0;
    c.zBuffering = store.integer(R, "Z-Buffering", 0) > 0;
    return c;
}

void writeWindowedChoice(SettingsStore& store, int device) {
    store.setInteger(R, "Launch Mode", 0);
    store.setInteger(R, "Windowed Device", device + 1);
}

void writeFullScreenChoice(SettingsStore& store, const RenderChoice& c) {
    store.setInteger(R, "Launch Mode", 1);
    store.setInteger(R, "Fullscreen Driver", c.fullscreenDriver + 1);
    store.setInteger(R, "Fullscreen Device", c.fullscreenDevice + 1);
    store.setInteger(R, "Display Mode", c.displayMode + 1);
    store.setInteger(R, "Use Sprite Mouse", c.spriteMouse ? 1 : 0);
    store.setInteger(R, "Z-Buffering", c.zBuffering ? 1 : 0);
}

QString limitExeOverride(const QString& path) {
    // The launch takes only the file's name; 19 characters of a whole path named a stub of
    // its directories ("/home/user/games/ze").
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1).left(19);
}

SetupValues readSetup(const SettingsStore& store) {
    SetupValues v;
    v.projectPath = store.text(S, "Prj Path");
    v.cdRomLocation = store.text(S, "CD ROM Location");
    v.cdDriveLetter = store.text(S, "CD Drive Letter", QStringLiteral("E"));
    v.mekChassis = store.text(S, "Mek Chassis", QStringLiteral("VORLANE")).left(34);
    v.mekConfiguration = store.text(S, "Mek Configuration", QStringLiteral("VRL00STD")).left(34);
    v.exeOverride = limitExeOverride(store.text(S, "ZEV Exe Override"));
    v.hideInfoForm = store.boolean(S, "Hide Info Form", false);
    return v;
}

RunnerSettings readRunnerSettings(const SettingsStore& store) {
    return {store.text(S, "Assembler Runner").trimmed(), store.text(S, "Game Runner").trimmed()};
}

void writeRunnerSettings(SettingsStore& store, const RunnerSettings& runners) {
    store.setText(S, "Assembler Runner", runners.assembler.trimmed());
    store.setText(S, "Game Runner", runners.game.trimmed());
}

namespace {
constexpr int kRecentFileCount = 8;
QByteArray recentKey(int n) {
    return QByteArray("Recent File ") + QByteArray::number(n);
}
} // namespace

QStringList readRecentFiles(const SettingsStore& store) {
    QStringList files;
    for (int n = 1; n <= kRecentFileCount; ++n)
        if (const QString file = store.text(SettingsStore::kSetup, recentKey(n).constData());
            !file.isEmpty())
            files << file;
    return files;
}

void writeRecentFiles(SettingsStore& store, const QStringList& files) {
    for (int n = 1; n <= kRecentFileCount; ++n)
        store.setText(SettingsStore::kSetup, recentKey(n).constData(),
                      n <= files.size() ? files[n - 1] : QString());
}

int readAutosaveMinutes(const SettingsStore& store) {
    return std::max(0, store.integer(SettingsStore::kSetup, "Autosave Minutes", 5));
}

void writeAutosaveMinutes(SettingsStore& store, int minutes) {
    store.setInteger(SettingsStore::kSetup, "Autosave Minutes", std::max(0, minutes));
}

WindowLayout readWindowLayout(const SettingsStore& store) {
    const auto bytes = [&](const char* name) {
        return QByteArray::fromBase64(store.text("Window", name).toLatin1());
    };
    return {bytes("Geometry"), bytes("State")};
}

void writeWindowLayout(SettingsStore& store, const WindowLayout& layout) {
    store.setText("Window", "Geometry", QString::fromLatin1(layout.geometry.toBase64()));
    store.setText("Window", "State", QString::fromLatin1(layout.state.toBase64()));
}

} // namespace zev::platform
