#include "FolderListModel.h"

#include "FileListing.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QRegularExpression>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// A change in the folder is read again once the folder has been quiet this
// long, so that a run of changes costs one reading.
constexpr int kRereadDelayMs = 200;
// More changes than this at once empty and refill the list instead of
// moving rows one run at a time.
constexpr size_t kMostChangeRuns = 64;

// Matches names against the wildcard patterns of a mask, letter case aside.
// The usual patterns ("*", "*.htm", "*.htm*") are compared directly: a
// regular expression for each of them would cost more than reading the
// folder.
class NameMatcher {
public:
    // No patterns at all stand for every name.
    explicit NameMatcher(const QStringList& patterns) : all(patterns.isEmpty()) {
        static const QRegularExpression wildcard(QStringLiteral("[*?\\[\\\\]"));
        for (const QString& pattern : patterns) {
            const QString inner = pattern.mid(1);
            if (pattern == QLatin1String("*")) {
                all = true;
            } else if (pattern.startsWith(QLatin1Char('*')) && !inner.contains(wildcard)) {
                endings << inner;
            } else if (pattern.startsWith(QLatin1Char('*')) && pattern.endsWith(QLatin1Char('*')) &&
                       pattern.size() > 2 && !inner.chopped(1).contains(wildcard)) {
                parts << inner.chopped(1);
            } else {
                others << QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive);
            }
        }
    }

    bool matches(const QString& name) const {
        if (all)
            return true;
        for (const QString& ending : endings) {
            if (name.endsWith(ending, Qt::CaseInsensitive))
                return true;
        }
        for (const QString& part : parts) {
            if (name.contains(part, Qt::CaseInsensitive))
                return true;
        }
        for (const QRegularExpression& expression : others) {
            if (expression.match(name).hasMatch())
                return true;
        }
        return false;
    }

private:
    bool all = false;
    QStringList endings;
    QStringList parts;
    QList<QRegularExpression> others;
};

// The order of the list: letter case and accents aside, and a run of digits
// by its value ("page9" before "page10"). Each run becomes "0", a character
// for its length without leading zeros, and the digits, so that runs
// compare as numbers and still sort where digits do.
QString SortKey(const QString& name) {
    QString text = name;
    const bool plain = std::all_of(name.cbegin(), name.cend(),
                                   [](QChar letter) { return letter.unicode() < 0x80; });
    if (!plain) {
        text = name.normalized(QString::NormalizationForm_D);
        text.removeIf([](QChar letter) { return letter.category() == QChar::Mark_NonSpacing; });
    }
    text = text.toCaseFolded();
    QString key;
    key.reserve(text.size() + 8);
    for (qsizetype at = 0; at < text.size();) {
        if (!text.at(at).isDigit() || text.at(at).unicode() >= 0x80) {
            key += text.at(at++);
            continue;
        }
        qsizetype end = at;
        while (end < text.size() && text.at(end).isDigit() && text.at(end).unicode() < 0x80)
            ++end;
        while (at + 1 < end && text.at(at) == QLatin1Char('0'))
            ++at;
        key += QLatin1Char('0');
        key += QChar(char16_t(0x100 + std::min<qsizetype>(end - at, 0xfeff)));
        key += QStringView(text).sliced(at, end - at);
        at = end;
    }
    return key;
}

bool ListedBefore(const FolderListModel::Entry& left, const FolderListModel::Entry& right) {
    const int byKey = left.sortKey.compare(right.sortKey);
    return byKey != 0 ? byKey < 0 : left.name < right.name;
}

// Whether a folder entry is listed: files and links to files, links whose
// file is gone; no folders, devices, pipes or sockets.
bool IsListedFile(int folder, const dirent& entry) {
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat target {};
    if (::fstatat(folder, entry.d_name, &target, 0) == 0)
        return S_ISREG(target.st_mode);
    return ::fstatat(folder, entry.d_name, &target, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISLNK(target.st_mode);
}

// Reads and sorts the listed files of a folder; stops early, with nothing,
// once another reading is wanted.
std::vector<FolderListModel::Entry> ReadFolder(const QString& folder, const QStringList& patterns,
                                               const std::atomic<quint64>& wanted,
                                               quint64 reading) {
    std::vector<FolderListModel::Entry> entries;
    DIR* stream = ::opendir(QFile::encodeName(folder).constData());
    if (!stream)
        return entries;
    const NameMatcher matcher(patterns);
    int count = 0;
    while (const dirent* entry = ::readdir(stream)) {
        if ((++count & 1023) == 0 && wanted.load() != reading)
            break;
        // Hidden files are not listed, nor are "." and "..".
        if (entry->d_name[0] == '.' || !IsListedFile(::dirfd(stream), *entry))
            continue;
        QString name = QFile::decodeName(entry->d_name);
        if (matcher.matches(name))
            entries.push_back({QString(), std::move(name)});
    }
    ::closedir(stream);
    if (wanted.load() != reading)
        return {};
    for (FolderListModel::Entry& entry : entries)
        entry.sortKey = SortKey(entry.name);
    std::sort(entries.begin(), entries.end(), ListedBefore);
    return entries;
}

} // namespace

FolderListModel::FolderListModel(QObject* parent)
    : QAbstractListModel(parent), watcher(new QFileSystemWatcher(this)),
      wanted(std::make_shared<std::atomic<quint64>>(0)) {
    readers.setMaxThreadCount(1);
    rereadTimer.setSingleShot(true);
    rereadTimer.setInterval(kRereadDelayMs);
    connect(&rereadTimer, &QTimer::timeout, this, &FolderListModel::startReading);
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, [this] { rereadTimer.start(); });
}

FolderListModel::~FolderListModel() {
    ++*wanted;
    readers.clear();
    readers.waitForDone();
}

void FolderListModel::Show(const QString& path, const QStringList& filePatterns) {
    const bool sameList = path == folder && filePatterns == patterns;
    if (path != folder) {
        if (!watcher->directories().isEmpty())
            watcher->removePaths(watcher->directories());
        if (QFileInfo(path).isDir())
            watcher->addPath(path);
    }
    folder = path;
    patterns = filePatterns;
    // The same list read again keeps its rows, and with them the selection
    // and the scroll position, while it is being read.
    if (!sameList) {
        beginResetModel();
        entries.clear();
        endResetModel();
    }
    startReading();
}

void FolderListModel::startReading() {
    rereadTimer.stop();
    const quint64 reading = ++*wanted;
    const auto state = wanted;
    const QString path = folder;
    const QStringList masks = patterns;
    readers.start([this, state, reading, path, masks] {
        auto result =
            std::make_shared<std::vector<Entry>>(ReadFolder(path, masks, *state, reading));
        if (state->load() != reading)
            return;
        // The model waits for its readers before it goes, so it is there.
        QMetaObject::invokeMethod(
            this, [this, reading, result] { takeEntries(reading, *result); }, Qt::QueuedConnection);
    });
}

// Moves the list to the fresh entries: rows that stay are kept, the others
// are removed and inserted in runs.
void FolderListModel::takeEntries(quint64 reading, std::vector<Entry>& fresh) {
    if (reading != wanted->load())
        return;
    std::vector<std::pair<size_t, size_t>> removed;  // first and end in the old rows
    std::vector<std::pair<size_t, size_t>> inserted; // first and end in the fresh rows
    const auto note = [](std::vector<std::pair<size_t, size_t>>& runs, size_t row) {
        if (!runs.empty() && runs.back().second == row)
            ++runs.back().second;
        else
            runs.emplace_back(row, row + 1);
    };
    size_t old = 0;
    size_t now = 0;
    while (old < entries.size() || now < fresh.size()) {
        if (now == fresh.size() ||
            (old < entries.size() && ListedBefore(entries[old], fresh[now]))) {
            note(removed, old++);
        } else if (old == entries.size() || ListedBefore(fresh[now], entries[old])) {
            note(inserted, now++);
        } else {
            ++old;
            ++now;
        }
    }
    if (removed.size() + inserted.size() > kMostChangeRuns) {
        beginResetModel();
        entries = std::move(fresh);
        endResetModel();
        return;
    }
    for (auto run = removed.rbegin(); run != removed.rend(); ++run) {
        beginRemoveRows(QModelIndex(), int(run->first), int(run->second) - 1);
        entries.erase(entries.begin() + qsizetype(run->first),
                      entries.begin() + qsizetype(run->second));
        endRemoveRows();
    }
    for (const auto& [first, end] : inserted) {
        beginInsertRows(QModelIndex(), int(first), int(end) - 1);
        entries.insert(entries.begin() + qsizetype(first),
                       std::make_move_iterator(fresh.begin() + qsizetype(first)),
                       std::make_move_iterator(fresh.begin() + qsizetype(end)));
        endInsertRows();
    }
}

QString FolderListModel::fileName(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    return entries[size_t(index.row())].name;
}

int FolderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(entries.size());
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const QString& name = entries[size_t(index.row())].name;
    if (role == Qt::DisplayRole)
        return name;
    if (role != Qt::DecorationRole)
        return {};
    // Files of one kind share their icon; it is looked up once.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot > 0 ? name.mid(dot + 1).toLower() : QString();
    auto known = iconBySuffix.constFind(suffix);
    if (known == iconBySuffix.constEnd())
        known = iconBySuffix.insert(suffix, iconProvider.icon(QFileInfo(JoinPath(folder, name))));
    return *known;
}
