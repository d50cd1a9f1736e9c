#pragma once

#include "app/player_settings.h"

#include <QString>

namespace zem {

// ${XDG_CONFIG_HOME:-$HOME/.config}/typing-zem/typing-zem.conf; a relative
// XDG_CONFIG_HOME is ignored, as the XDG rules say. Empty when neither gives
// an absolute folder: then nothing is read or kept.
QString settingsPath();

// The settings in `path` (INI). A file that is missing, cannot be read or is
// no INI at all gives the defaults, and so does each value that makes no
// sense, on its own: the game never stops for its settings.
PlayerSettings readSettings(const QString &path);

// Writes every setting; false when the file could not be written.
bool writeSettings(const QString &path, const PlayerSettings &settings);

// The settings file as the game's choices keep their settings.
class SettingsFile final : public SettingsStore {
public:
    explicit SettingsFile(QString path) : path_(std::move(path)) {}
    PlayerSettings read() override { return readSettings(path_); }
    void write(const PlayerSettings &settings) override { writeSettings(path_, settings); }

private:
    QString path_;
};

} // namespace zem
