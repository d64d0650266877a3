// A settings file of any bytes: writing one entry must leave every other
// entry reading as before, and the written entry must read back as written
// (up to its first line break, without surrounding blanks and quotes, cut to
// the longest value a read returns). A stored number reads back as written.
#include "FuzzInput.h"
#include "SettingsStore.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdlib>
#include <utility>

namespace {

const QString kMissing = QStringLiteral("\x01missing");

// Section and key names as the program uses them: letters and digits.
bool Plain(const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9]{1,12}$"));
    return plain.match(name).hasMatch();
}

// The section and key names that the file seems to hold, for reading back.
QList<std::pair<QString, QString>> EntriesIn(const QByteArray& file) {
    QStringList sections;
    QStringList keys;
    for (const QByteArray& line : file.split('\n')) {
        const QString text = QString::fromLatin1(line).trimmed();
        if (text.startsWith(QLatin1Char('['))) {
            const QString name = text.mid(1, text.indexOf(QLatin1Char(']')) - 1).trimmed();
            if (Plain(name))
                sections << name;
        } else if (const qsizetype equals = text.indexOf(QLatin1Char('=')); equals > 0) {
            const QString key = text.left(equals).trimmed();
            if (Plain(key))
                keys << key;
        }
    }
    QList<std::pair<QString, QString>> entries;
    for (const QString& section : sections.mid(0, 8))
        for (const QString& key : keys.mid(0, 8))
            entries.append({section, key});
    return entries;
}

QString Expected(const QString& written) {
    QString value = written;
    const qsizetype lineBreak = value.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineBreak >= 0)
        value.truncate(lineBreak);
    while (!value.isEmpty() &&
           (value.front() == QLatin1Char(' ') || value.front() == QLatin1Char('\t')))
        value.remove(0, 1);
    while (!value.isEmpty() &&
           (value.back() == QLatin1Char(' ') || value.back() == QLatin1Char('\t')))
        value.chop(1);
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(SettingsStore::kMaxValueLength);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("settings.ini"));

    FuzzInput input(data, size);
    const uint8_t choice = input.Byte();
    const QString value = QString::fromUtf8(input.Field());
    const QByteArray file = input.Rest();
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(file) != file.size())
            abort();
    }

    QList<std::pair<QString, QString>> entries = EntriesIn(file);
    std::pair<QString, QString> target{QStringLiteral("Fuzz"), QStringLiteral("Value")};
    if (!entries.isEmpty() && (choice & 1))
        target = entries[(choice >> 1) % entries.size()];
    entries.append(target);

    SettingsStore store(path);
    QStringList before;
    for (const auto& [section, key] : entries)
        before << store.ReadText(section, key, kMissing);

    if (choice & 0x80) {
        const qint32 number =
            qint32(value.toUtf8().size() * 7919 - 40000) * (choice & 0x40 ? 1 : -1);
        store.WriteNumber(target.first, target.second, number);
        if (store.ReadNumber(target.first, target.second, number + 1) != number)
            abort();
    } else {
        store.WriteText(target.first, target.second, value);
        if (store.ReadText(target.first, target.second, kMissing) != Expected(value))
            abort();
    }
    for (qsizetype i = 0; i + 1 < entries.size(); ++i) {
        const auto& [section, key] = entries[i];
        const bool same = section.compare(target.first, Qt::CaseInsensitive) == 0 &&
                          key.compare(target.second, Qt::CaseInsensitive) == 0;
        if (!same && store.ReadText(section, key, kMissing) != before[i])
            abort();
    }

    if (const auto parsed = SettingsStore::ParseNumber(value)) {
        if (SettingsStore::ParseNumber(QString::number(*parsed)) != parsed)
            abort();
    }
    return 0;
}
