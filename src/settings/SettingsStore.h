#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// The program's preferences: one INI file, read and written entry by entry.
// Nothing is cached: every read parses the file as it is on disk now, and
// every write replaces the file at once (atomically, so a failure leaves the
// old file whole). The same store serves other INI files, such as document
// profiles, given their path.
class SettingsStore {
public:
    // Longest value a read returns; longer stored values are cut.
    static constexpr qsizetype kMaxValueLength = 2047;

    explicit SettingsStore(const QString& path);

    QString SettingsPath() const { return path; }

    QString ReadText(const QString& section, const QString& key, const QString& fallback) const;
    qint32 ReadNumber(const QString& section, const QString& key, qint32 fallback) const;
    bool ReadFlag(const QString& section, const QString& key, bool fallback) const;

    // Writes throw a UserError "Unable to write to <path>" when the file
    // cannot be written. A text is stored up to its first line break: readers
    // only ever see that part, and the rest would become lines of the file.
    void WriteText(const QString& section, const QString& key, const QString& text);
    void WriteNumber(const QString& section, const QString& key, qint32 value);
    void WriteFlag(const QString& section, const QString& key, bool value);
    void RemoveKey(const QString& section, const QString& key);
    // Sets several entries of one section in a single rewrite of the file, so
    // that a list kept under numbered keys is never left half written; an
    // entry without a value is removed.
    using Entry = std::pair<QString, std::optional<QString>>;
    void WriteEntries(const QString& section, const QList<Entry>& entries);

    // A stored number: optionally signed decimal, or hexadecimal after "0x"
    // when longer than two characters; nullopt when empty, malformed or
    // outside the 32-bit signed range.
    static std::optional<qint32> ParseNumber(const QString& text);

private:
    std::optional<QString> readValue(const QString& section, const QString& key) const;

    QString path;
};

// The store of the running program.
SettingsStore& Settings();
// Makes the given store (not owned) the program's store.
void UseSettings(SettingsStore* store);
