#include "app/qt/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace zem {

namespace {

// A spelling is kept only when it is keys the judge could take: upper-case
// letters and the few marks a kana may be typed with.
bool plausibleKeys(const QString &keys) {
    if (keys.size() > 8)
        return false;
    for (QChar c : keys)
        if (!(c >= u'A' && c <= u'Z') && c != u'\'' && c != u'-')
            return false;
    return true;
}

// A switch is on only as written: "true"; anything else is its default, off.
bool switchedOn(const QSettings &file, const QString &key) {
    return file.value(key).toString() == QStringLiteral("true");
}

} // namespace

QString settingsPath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!base.startsWith(u'/')) {
        const QString home = qEnvironmentVariable("HOME");
        if (!home.startsWith(u'/'))
            return {};
        base = home + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/typing-zem/typing-zem.conf");
}

PlayerSettings readSettings(const QString &path) {
    PlayerSettings settings;
    if (path.isEmpty())
        return settings;
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return settings;
    const QString rule = file.value(QStringLiteral("romaji/spelling")).toString();
    settings.spelling = spellingRuleNamed(rule.toStdString()).value_or(SpellingRule::Table);
    settings.spellingAsked = switchedOn(file, QStringLiteral("romaji/asked"));
    settings.lastList = file.value(QStringLiteral("lists/last")).toString().toStdString();
    settings.reading = switchedOn(file, QStringLiteral("view/reading"));
    settings.fingers = switchedOn(file, QStringLiteral("view/fingers"));
    file.beginGroup(QStringLiteral("spellings"));
    for (const QString &kana : file.childKeys()) {
        const QString keys = file.value(kana).toString();
        if (kana.size() <= 2 && plausibleKeys(keys))
            settings.lastSpellings[kana.toStdString()] = keys.toStdString();
    }
    file.endGroup();
    const int texts = file.beginReadArray(QStringLiteral("texts"));
    for (int i = 0; i < texts && settings.bookmarks.size() < kMaxBookmarks; ++i) {
        file.setArrayIndex(i);
        bool hashRead = false, sentenceRead = false, partRead = false;
        TextBookmark mark{
            file.value(QStringLiteral("path")).toString().toStdString(),
            file.value(QStringLiteral("hash")).toString().toULongLong(&hashRead, 16),
            std::size_t(file.value(QStringLiteral("sentence")).toULongLong(&sentenceRead)),
            std::size_t(file.value(QStringLiteral("part"), 0).toULongLong(&partRead))};
        if (!mark.path.empty() && hashRead && sentenceRead && partRead)
            settings.bookmarks.push_back(std::move(mark));
    }
    file.endArray();
    return settings;
}

bool writeSettings(const QString &path, const PlayerSettings &settings) {
    if (path.isEmpty())
        return false;
    // Our own folder is the player's alone, as XDG asks of the folders it makes.
    const QString folder = QFileInfo(path).absolutePath();
    QDir().mkpath(QFileInfo(folder).absolutePath());
    QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QSettings file(path, QSettings::IniFormat);
    file.setValue(QStringLiteral("romaji/spelling"),
                  QString::fromLatin1(spellingRuleName(settings.spelling)));
    file.setValue(QStringLiteral("romaji/asked"), settings.spellingAsked);
    file.setValue(QStringLiteral("view/fingers"), settings.fingers);
    if (settings.lastList.empty())
        file.remove(QStringLiteral("lists/last"));
    else
        file.setValue(QStringLiteral("lists/last"), QString::fromStdString(settings.lastList));
    file.setValue(QStringLiteral("view/reading"), settings.reading);
    file.remove(QStringLiteral("spellings"));
    file.beginGroup(QStringLiteral("spellings"));
    for (const auto &[kana, keys] : settings.lastSpellings)
        file.setValue(QString::fromStdString(kana), QString::fromStdString(keys));
    file.endGroup();
    file.remove(QStringLiteral("texts"));
    file.beginWriteArray(QStringLiteral("texts"), int(settings.bookmarks.size()));
    for (int i = 0; i < int(settings.bookmarks.size()); ++i) {
        const TextBookmark &mark = settings.bookmarks[std::size_t(i)];
        file.setArrayIndex(i);
        file.setValue(QStringLiteral("path"), QString::fromStdString(mark.path));
        file.setValue(QStringLiteral("hash"), QString::number(mark.contentHash, 16));
        file.setValue(QStringLiteral("sentence"), qulonglong(mark.sentence));
        file.setValue(QStringLiteral("part"), qulonglong(mark.part));
    }
    file.endArray();
    file.sync();
    return file.status() == QSettings::NoError;
}

} // namespace zem
