#include "RecentFiles.h"

#include "SettingsStore.h"

namespace {

const QString kRecent = QStringLiteral("Recent");
const QString kSession = QStringLiteral("Session");
constexpr int kSessionLimit = 1000;

QString Numbered(const char* key, int number) {
    return QString::fromLatin1(key) + QString::number(number);
}

// The number of documents stored; a damaged count is kept within reason.
int StoredCount(const SettingsStore& store) {
    return qBound(0, store.ReadNumber(kSession, QStringLiteral("Count"), 0), kSessionLimit);
}

} // namespace

namespace RecentFiles {

QStringList Read(const SettingsStore& store) {
    QStringList files;
    for (int number = 1; number <= kLimit; ++number) {
        const QString path = store.ReadText(kRecent, Numbered("File", number), {});
        if (!path.isEmpty() && !files.contains(path))
            files << path;
    }
    return files;
}

void Write(SettingsStore& store, const QStringList& files) {
    QList<SettingsStore::Entry> entries;
    for (int number = 1; number <= kLimit; ++number) {
        std::optional<QString> value;
        if (number <= files.size())
            value = files.at(number - 1);
        entries.append({Numbered("File", number), value});
    }
    store.WriteEntries(kRecent, entries);
}

QStringList WithFirst(QStringList files, const QString& path) {
    files.removeAll(path);
    files.prepend(path);
    return files.mid(0, kLimit);
}

QString MenuCaption(int index, const QString& path) {
    const int number = index + 1;
    // The last digit is the accelerator; a "&" in the path is shown as such.
    QString digits = QString::number(number);
    digits.insert(digits.size() - 1, QLatin1Char('&'));
    return digits + QLatin1Char(' ') +
           QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace RecentFiles

LastSession ReadLastSession(const SettingsStore& store) {
    LastSession session;
    const int count = StoredCount(store);
    const int active = store.ReadNumber(kSession, QStringLiteral("Active"), 0);
    for (int number = 1; number <= count; ++number) {
        SessionDocument document;
        document.path = store.ReadText(kSession, Numbered("File", number), {});
        if (document.path.isEmpty())
            continue;
        const QStringList caret =
            store.ReadText(kSession, Numbered("Caret", number), {}).split(QLatin1Char(','));
        if (caret.size() == 2) {
            document.caret.line = qMax(1, caret.at(0).toInt());
            document.caret.column = qMax(1, caret.at(1).toInt());
        }
        document.topLine = qMax(1, store.ReadNumber(kSession, Numbered("Top", number), 1));
        if (number == active)
            session.active = int(session.documents.size());
        session.documents << document;
    }
    return session;
}

void WriteLastSession(SettingsStore& store, const LastSession& session) {
    const int count = int(session.documents.size());
    const int before = StoredCount(store);
    QList<SettingsStore::Entry> entries{
        {QStringLiteral("Count"), QString::number(count)},
        {QStringLiteral("Active"), QString::number(session.active + 1)}};
    for (int number = 1; number <= count; ++number) {
        const SessionDocument& document = session.documents.at(number - 1);
        entries.append({Numbered("File", number), document.path});
        entries.append(
            {Numbered("Caret", number),
             QStringLiteral("%1,%2").arg(document.caret.line).arg(document.caret.column)});
        entries.append({Numbered("Top", number), QString::number(document.topLine)});
    }
    // The entries of a longer session before go.
    for (int number = count + 1; number <= before; ++number) {
        for (const char* key : {"File", "Caret", "Top"})
            entries.append({Numbered(key, number), std::nullopt});
    }
    store.WriteEntries(kSession, entries);
}
