#pragma once

#include "TfMain.h"

#include <QStringList>

#include <memory>

struct StartOptions {
    TfMain::Options window;
    bool showSplash = true;

    // The options of the installed program: the executable's own folder, the
    // per-user message channel and the desktop's folders.
    static StartOptions ForThisProgram();
};

// The program's start: splash window, main window (created, then shown
// maximised with its start-up settings), and the hand-off of a file named on
// the command line through the clipboard and message 1066; without
// arguments, the documents of the last session are reopened instead. The caller runs
// the event loop. arguments excludes the program's own name.
// When another Quillon already listens on the channel and has opened the one
// file named, nothing is created and the result is null: the caller ends.
std::unique_ptr<TfMain> StartQuillon(const QStringList& arguments, const StartOptions& options);

// Hands the one file named to a Quillon that is already running; true when
// that program answered, having opened it.
bool HandOffToRunningProgram(const QStringList& arguments, const QString& channelName);

// The hand-off alone: with exactly one argument, put it on the clipboard and
// send message 1066 with its length to the window listening on the channel.
// Returns whether a window listens on the channel.
bool HandOffArguments(const QStringList& arguments, const QString& channelName);
