#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>

class QLabel;
class QProgressBar;
class QPushButton;

// "Deleting files ...": the file being deleted and a bar that advances by
// one per file, with "Stop". The deleting runs on the window's own thread
// and lets it handle its events every few hundredths of a second, so that
// the program keeps painting and "Stop" can be pressed.
class DeleteMonitor : public QDialog {
    Q_OBJECT
public:
    DeleteMonitor(int count, QWidget* parent);

    QPushButton* StopButton() const { return stopButton; }
    // Starts the bar again for another run over count files.
    void Restart(int count);
    // Shows the file about to be deleted; false once the user has stopped.
    bool Announce(int index, const QString& path);
    bool Stopped() const { return stop; }
    void StopClick();
    // Closing the window asks to stop instead.
    void reject() override;

signals:
    // A file is about to be deleted; its line is showing.
    void fileAnnounced(int index);

private:
    QLabel* line;
    QProgressBar* bar;
    QPushButton* stopButton;
    QElapsedTimer sinceEvents;
    bool stop = false;
};

// Deletes the files, in order: into the trash, and the files the trash
// refuses for good when the user agrees to that, asked once for all of
// them. Several files show a DeleteMonitor. The files that are still there
// afterwards (kept by the user, stopped, or not deletable) are named to the
// user and returned.
QStringList DeleteFiles(const QStringList& paths, QWidget* parent);
