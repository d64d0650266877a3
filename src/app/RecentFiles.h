#pragma once

#include "EditorControl.h"

#include <QList>
#include <QString>
#include <QStringList>

class SettingsStore;

// The documents the program remembers between runs: the list of recently
// opened or saved files behind File > Reopen (settings section Recent, keys
// File1 to File10, newest first) and the documents open at the last exit
// (section Session). Only the rules and the settings live here; the main
// window opens the files.
namespace RecentFiles {

inline constexpr int kLimit = 10;

// The stored list, without empty and repeated entries.
QStringList Read(const SettingsStore& store);
void Write(SettingsStore& store, const QStringList& files);
// The list with the file first (moved there when listed already), at most
// kLimit entries long.
QStringList WithFirst(QStringList files, const QString& path);
// The menu caption of the entry at index (from 0): "&1 path" to "1&0 path".
QString MenuCaption(int index, const QString& path);

} // namespace RecentFiles

// One document of the last session: its file, caret and top line.
struct SessionDocument {
    QString path;
    TextPosition caret;
    int topLine = 1;
    bool operator==(const SessionDocument&) const = default;
};

struct LastSession {
    QList<SessionDocument> documents;
    int active = -1; // index of the document that was active, -1: none
};

// Section Session: Count, File1 .. FileN, Caret1 .. CaretN ("line,column"),
// Top1 .. TopN and Active (1-based, 0: none). Entries that do not make sense
// are read as missing or corrected; a document without a path is skipped.
LastSession ReadLastSession(const SettingsStore& store);
void WriteLastSession(SettingsStore& store, const LastSession& session);
