#pragma once

#include <QAbstractListModel>
#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>
#include <vector>

class QFileSystemWatcher;

// The file list's model: the files of one folder whose names match a set of
// wildcard patterns, sorted by name as people read them (letter case aside,
// numbers by value). Hidden files and folders are left out; links to files
// are listed, also links whose file is gone, so that they can be deleted.
//
// The folder is read and sorted on a worker thread, so that a folder of many
// thousands of files never stops the window; the list fills in one step when
// the reading is done. A change in the folder is read again after a short
// quiet time, and entries that stay keep their selection.
class FolderListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit FolderListModel(QObject* parent = nullptr);
    ~FolderListModel() override;

    // Lists the folder with the given patterns (see MaskPatterns; none list
    // every file). Another folder or mask empties the list at once; it
    // fills when the folder has been read.
    void Show(const QString& folder, const QStringList& patterns);

    QString fileName(const QModelIndex& index) const;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    struct Entry {
        QString sortKey;
        QString name;
    };

private:
    void startReading();
    void takeEntries(quint64 reading, std::vector<Entry>& fresh);

    QString folder;
    QStringList patterns;
    std::vector<Entry> entries;
    QFileSystemWatcher* watcher;
    QTimer rereadTimer;
    QFileIconProvider iconProvider;
    mutable QHash<QString, QIcon> iconBySuffix;
    // The reading whose result is wanted; older results are dropped and
    // older readings stop early.
    std::shared_ptr<std::atomic<quint64>> wanted;
    QThreadPool readers;
};
