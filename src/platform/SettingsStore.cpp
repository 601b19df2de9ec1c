#include "SettingsStore.h"

#include <QSettings>

namespace zev::platform {

std::unique_ptr<SettingsStore> SettingsStore::openUserStore() {
#ifdef Q_OS_WIN
    return std::unique_ptr<SettingsStore>(new SettingsStore(std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\ZEVEDIT3D"), QSettings::NativeFormat)));
#else
    return std::unique_ptr<SettingsStore>(new SettingsStore(
        std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                    QStringLiteral("ZEVEDIT3D"), QStringLiteral("ZEVEDIT3D"))));
#endif
}

SettingsStore::SettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

SettingsStore::SettingsStore(std::unique_ptr<QSettings> settings)
    : settings_(std::move(settings)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::key(const char* section, const char* name) {
    return QString::fromLatin1(section) + QLatin1Char('/') + QString::fromLatin1(name);
}

int SettingsStore::integer(const char* section, const char* name, int defaultValue) const {
    bool ok = false;
    const int v = settings_->value(key(section, name), defaultValue).toInt(&ok);
    return ok ? v : defaultValue;
}

bool SettingsStore::boolean(const char* section, const char* name, bool defaultValue) const {
    return settings_->value(key(section, name), defaultValue).toBool();
}

QString SettingsStore::text(const char* section, const char* name,
                            const QString& defaultValue) const {
    return settings_->value(key(section, name), defaultValue).toString();
}

void SettingsStore::setInteger(const char* section, const char* name, int value) {
    settings_->setValue(key(section, name), value);
}

void SettingsStore::setBoolean(const char* section, const char* name, bool value) {
    settings_->setValue(key(section, name), value);
}

void SettingsStore::setText(const char* section, const char* name, const QString& value) {
    settings_->setValue(key(section, name), value);
}

bool SettingsStore::contains(const char* section, const char* name) const {
    return settings_->contains(key(section, name));
}

void SettingsStore::sync() {
    settings_->sync();
}

} // namespace zev::platform
