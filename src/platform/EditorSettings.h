#pragma once

#include "SettingsStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zev::platform {

// The editor's typed view of its settings store: names, types and defaults of every value.

struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours of the workspace ("<prefix> Red", "<prefix> Green", "<prefix> Blue", 0 to 255).
struct ColourKey {
    const char* prefix;
    Rgb defaultValue;
};
inline constexpr ColourKey kGroundPlaneColour{"Ground Plane", {255, 128, 64}};
inline constexpr ColourKey kStandardObjectColour{"Standard Object", {0, 255, 64}};
inline constexpr ColourKey kRmgObjectColour{"RMG Object", {198, 122, 255}};
inline constexpr ColourKey kSelectedObjectColour{"Selected Object", {255, 0, 0}};
inline constexpr ColourKey kNavPointsColour{"Nav Points", {150, 150, 150}};
// Player p (1 to 8): "Player p Red" ..., default blue.
Rgb playerColour(const SettingsStore& store, int player);

Rgb readColour(const SettingsStore& store, const ColourKey& key);
void writeColour(SettingsStore& store, const char* prefix, const Rgb& colour);

// Object and camera speeds and auto zoom, kept apart for windowed ("W") and full-screen ("fs")
// runs.
struct SpeedSettings {
    int objectRotation = 10;
    int objectMovement = 10;
    int cameraMovement = 10;
    int cameraUpDown = 10;
    int cameraSteerSpeed = 10;
    bool autoZoom = true;
    friend bool operator==(const SpeedSettings&, const SpeedSettings&) = default;
};
SpeedSettings readSpeeds(const SettingsStore& store, bool fullScreen);
void writeSpeeds(SettingsStore& store, bool fullScreen, const SpeedSettings& speeds);

// Drawing aids of the workspace, on unless turned off: "Ground Grid" (lines on the ground for
// distance and scale) and "Editor Lighting" (a light travelling with the camera).
struct ViewAids {
    bool groundGrid = true;
    bool editorLighting = true;
    friend bool operator==(const ViewAids&, const ViewAids&) = default;
};
ViewAids readViewAids(const SettingsStore& store);
void writeViewAids(SettingsStore& store, const ViewAids& aids);

// "Snap to Grid" and its size in workspace units.
struct SnapSettings {
    bool on = false;
    int size = 10;
    friend bool operator==(const SnapSettings&, const SnapSettings&) = default;
};
SnapSettings readSnap(const SettingsStore& store);
void writeSnap(SettingsStore& store, const SnapSettings& snap);

// The cameras kept for a mission file, as text: slot 0 the camera it was left with, 1 to 4 its
// bookmarks. Kept in the user's settings by the file's absolute path, never in the mission.
QString missionCameras(const SettingsStore& store, const QString& missionFile, int slot);
void setMissionCameras(SettingsStore& store, const QString& missionFile, int slot,
                       const QString& text);

// How the workspace renders; device, driver and mode numbers index the enumerated lists, -1 for
// none (stored as index + 1, 0 for none).
struct RenderChoice {
    bool fullScreen = false;
    int windowedDevice = -1;
    int fullscreenDriver = -1;
    int fullscreenDevice = -1;
    int displayMode = 0;            // a stored 0 leaves the number unchanged
    bool displayModeStored = false; // a mode was chosen (a value above 0 is stored)
    bool spriteMouse = false;
    bool zBuffering = false;
};
RenderChoice readRenderChoice(const SettingsStore& store);
void writeWindowedChoice(SettingsStore& store, int device);
void writeFullScreenChoice(SettingsStore& store, const RenderChoice& choice);

// The "Setup" values read when the main window is created.
struct SetupValues {
    QString projectPath;      // "Prj Path", kept as typed; compared case-insensitively
    QString cdRomLocation;    // "CD ROM Location"
    QString cdDriveLetter;    // "CD Drive Letter": the DOS letter the disc is mounted as
    QString mekChassis;       // "Mek Chassis"
    QString mekConfiguration; // "Mek Configuration"
    QString exeOverride;      // "ZEV Exe Override": a file name, at most 19 characters
    bool hideInfoForm = false;
};
SetupValues readSetup(const SettingsStore& store);

// "Assembler Runner" and "Game Runner" of "Setup": the command templates that start the DOS
// assembler and the game's executable; empty stands for the default template.
struct RunnerSettings {
    QString assembler;
    QString game;
    friend bool operator==(const RunnerSettings&, const RunnerSettings&) = default;
};
RunnerSettings readRunnerSettings(const SettingsStore& store);
void writeRunnerSettings(SettingsStore& store, const RunnerSettings& runners);

// "Recent File 1" to "Recent File 8" of "Setup": the missions last opened or saved, newest
// first; "Autosave Minutes": how often a modified mission's recovery copy is written (default 5,
// 0 never).
QStringList readRecentFiles(const SettingsStore& store);
void writeRecentFiles(SettingsStore& store, const QStringList& files);
int readAutosaveMinutes(const SettingsStore& store);
void writeAutosaveMinutes(SettingsStore& store, int minutes);

// The main window's place, size, maximised state and tool bar and dock layout between runs
// ("Geometry" and "State" of section "Window", as QMainWindow saves them; empty when none is
// kept yet).
struct WindowLayout {
    QByteArray geometry;
    QByteArray state;
};
WindowLayout readWindowLayout(const SettingsStore& store);
void writeWindowLayout(SettingsStore& store, const WindowLayout& layout);

// The chosen file's name (after the last '/' or '\\'), at most 19 characters, as the override
// field holds.
QString limitExeOverride(const QString& path);

} // namespace zev::platform
