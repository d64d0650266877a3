#include "Startup.h"

#include "Clipboard.h"
#include "OpenFileChannel.h"
#include "TfAbout.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

StartOptions StartOptions::ForThisProgram() {
    StartOptions options;
    options.window.places = ProgramPlaces::ForThisProgram();
    options.window.executablePath = QCoreApplication::applicationFilePath();
    options.window.channelName = OpenFileChannel::DefaultName();
    options.window.associationPlaces = FileAssociationPlaces::FromEnvironment();
    return options;
}

bool HandOffArguments(const QStringList& arguments, const QString& channelName) {
    if (!OpenFileChannel::IsHeld(channelName))
        return false;
    if (arguments.size() == 1) {
        // The receiving window does not share this process's working folder,
        // and a document's caption is its full path.
        const QString path =
            QDir::cleanPath(QDir::current().absoluteFilePath(arguments.constFirst()));
        SetClipboardText(path);
        OpenFileChannel::Send(channelName, OpenFileChannel::OpenFileMessage, path.size(), 1);
    }
    return true;
}

bool HandOffToRunningProgram(const QStringList& arguments, const QString& channelName) {
    if (arguments.size() != 1 || !OpenFileChannel::IsHeld(channelName))
        return false;
    const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(arguments.constFirst()));
    SetClipboardText(path);
    // Answered only once the running program has read the path from the
    // clipboard this process serves, so ending afterwards loses nothing.
    return OpenFileChannel::Send(channelName, OpenFileChannel::OpenFileMessage, path.size(), 1);
}

std::unique_ptr<TfMain> StartQuillon(const QStringList& arguments, const StartOptions& options) {
    // A page opened from the desktop while Quillon runs goes to the running
    // window; this process then ends without a window of its own.
    if (HandOffToRunningProgram(arguments, options.window.channelName))
        return nullptr;
    std::unique_ptr<TfSplash> splash;
    if (options.showSplash) {
        splash = std::make_unique<TfSplash>(TfMain::VersionText());
        splash->showNow();
    }
    auto window = std::make_unique<TfMain>(options.window);
    // Centred and as large as the screen, so that the window fills it also
    // where no window manager maximises it.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->setGeometry(screen->availableGeometry());
    window->showMaximized();
    splash.reset();
    // What a crash left comes back before any file is opened, so that a file
    // named now or reopened from the last session finds its restored window.
    window->RecoverDocuments();
    // A start that names a file opens just that file; a start without one
    // goes on where the last session ended.
    if (HandOffArguments(arguments, options.window.channelName))
        window->showMaximized();
    if (arguments.isEmpty())
        window->RestoreSession();
    return window;
}
