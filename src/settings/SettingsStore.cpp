#include "SettingsStore.h"

#include "AtomicFile.h"
#include "Cp1252Codec.h"
#include "ErrorReport.h"
#include "IniText.h"
#include "ProgramPlaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace {

SettingsStore* currentStore = nullptr;

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// How a file's bytes became text, so that a rewrite keeps the encoding and
// leaves the bytes of the untouched lines as they were. Files are Windows-1252
// unless they are valid UTF-8 with at least one non-ASCII byte.
struct DecodedFile {
    QString text;
    bool utf8 = false;
    bool byteOrderMark = false;
};

bool HasNonAscii(const QByteArray& bytes) {
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return true;
    }
    return false;
}

DecodedFile Decode(QByteArray bytes) {
    DecodedFile file;
    if (bytes.startsWith(kUtf8Bom) && IsValidUtf8(bytes)) {
        file.utf8 = true;
        file.byteOrderMark = true;
        file.text = QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
    } else if (HasNonAscii(bytes) && IsValidUtf8(bytes)) {
        file.utf8 = true;
        file.text = QString::fromUtf8(bytes);
    } else {
        file.text = Cp1252Codec::Decode(bytes);
    }
    return file;
}

QByteArray Encode(const DecodedFile& file) {
    // A value the code page cannot hold turns the whole file into UTF-8 rather
    // than losing characters.
    if (!file.utf8 && Cp1252Codec::CanEncode(file.text)) {
        QByteArray bytes = Cp1252Codec::Encode(file.text, [](char32_t) { return QByteArray(); });
        // Once a rewrite has replaced the line that made the file invalid as
        // UTF-8, the code-page bytes of the other lines could read as UTF-8
        // ("\xC3\xA9" as one character instead of two): such a file is written
        // as UTF-8, which keeps every value.
        if (!HasNonAscii(bytes) || !IsValidUtf8(bytes))
            return bytes;
    }
    return (file.byteOrderMark ? kUtf8Bom : QByteArray()) + file.text.toUtf8();
}

std::optional<DecodedFile> ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return Decode(file.readAll());
}

QString FirstLine(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\r') || text.at(i) == QLatin1Char('\n'))
            return text.left(i);
    }
    return text;
}

bool IsHexDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

QString Unquoted(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

SettingsStore::SettingsStore(const QString& path) : path(path) {}

std::optional<QString> SettingsStore::readValue(const QString& section, const QString& key) const {
    const auto file = ReadFile(path);
    if (!file)
        return std::nullopt;
    const auto raw = IniText::Parse(file->text).rawValue(section, key);
    if (!raw)
        return std::nullopt;
    return Unquoted(*raw).left(kMaxValueLength);
}

QString SettingsStore::ReadText(const QString& section, const QString& key,
                                const QString& fallback) const {
    return readValue(section, key).value_or(fallback);
}

std::optional<qint32> SettingsStore::ParseNumber(const QString& text) {
    bool ok = false;
    qlonglong value = 0;
    if (text.size() > 2 &&
        (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X")))) {
        const QString digits = text.mid(2);
        for (const QChar c : digits) {
            if (!IsHexDigit(c))
                return std::nullopt;
        }
        value = digits.toLongLong(&ok, 16);
    } else {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            const bool sign = i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'));
            if (!sign && (c < QLatin1Char('0') || c > QLatin1Char('9')))
                return std::nullopt;
        }
        value = text.toLongLong(&ok, 10);
    }
    if (!ok || value < std::numeric_limits<qint32>::min() ||
        value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

qint32 SettingsStore::ReadNumber(const QString& section, const QString& key,
                                 qint32 fallback) const {
    const auto value = readValue(section, key);
    if (!value)
        return fallback;
    return ParseNumber(*value).value_or(fallback);
}

bool SettingsStore::ReadFlag(const QString& section, const QString& key, bool fallback) const {
    return ReadNumber(section, key, fallback ? 1 : 0) != 0;
}

void SettingsStore::WriteText(const QString& section, const QString& key, const QString& text) {
    WriteEntries(section, {{key, text}});
}

void SettingsStore::WriteEntries(const QString& section, const QList<Entry>& entries) {
    DecodedFile file;
    if (QFileInfo::exists(path)) {
        const auto existing = ReadFile(path);
        if (!existing)
            throw UserError(UnableToWriteText(path));
        file = *existing;
    }
    IniText ini = IniText::Parse(file.text);
    for (const auto& [key, value] : entries) {
        if (value)
            ini.setValue(section, key, FirstLine(*value));
        else
            ini.removeKey(section, key);
    }
    file.text = ini.toString();
    // The folder of the per-user fallback location may not exist yet.
    QDir().mkpath(QFileInfo(path).absolutePath());
    WriteFileAtomically(path, Encode(file));
}

void SettingsStore::WriteNumber(const QString& section, const QString& key, qint32 value) {
    WriteText(section, key, QString::number(value));
}

void SettingsStore::WriteFlag(const QString& section, const QString& key, bool value) {
    WriteText(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::RemoveKey(const QString& section, const QString& key) {
    auto file = ReadFile(path);
    if (!file)
        return;
    IniText ini = IniText::Parse(file->text);
    if (!ini.removeKey(section, key))
        return;
    file->text = ini.toString();
    WriteFileAtomically(path, Encode(*file));
}

SettingsStore& Settings() {
    if (currentStore)
        return *currentStore;
    static SettingsStore programStore(ProgramPlaces::ForThisProgram().SettingsPath());
    return programStore;
}

void UseSettings(SettingsStore* store) {
    currentStore = store;
}
