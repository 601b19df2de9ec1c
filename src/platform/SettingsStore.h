#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace zev::platform {

// The per-user settings store of the editor: the key "ZEVEDIT3D" with the sections
// "Render Options" and "Setup". On Windows it lives in the registry under the current user,
// elsewhere in an INI file in the user's configuration directory. A missing value gives the
// caller's default; the store is created on the first write.
class SettingsStore {
public:
    static constexpr const char* kRenderOptions = "Render Options";
    static constexpr const char* kSetup = "Setup";

    // The user's own store.
    static std::unique_ptr<SettingsStore> openUserStore();
    // A store in the INI file `path` (tests, portable set-ups).
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();

    int integer(const char* section, const char* name, int defaultValue) const;
    bool boolean(const char* section, const char* name, bool defaultValue) const;
    QString text(const char* section, const char* name, const QString& defaultValue = {}) const;

    void setInteger(const char* section, const char* name, int value);
    void setBoolean(const char* section, const char* name, bool value);
    void setText(const char* section, const char* name, const QString& value);

    bool contains(const char* section, const char* name) const;
    // Writes pending changes to their storage.
    void sync();

private:
    explicit SettingsStore(std::unique_ptr<QSettings> settings);
    static QString key(const char* section, const char* name);

    std::unique_ptr<QSettings> settings_;
};

} // namespace zev::platform
