#pragma once

#include <QProcess>

#include <initializer_list>

// Ends the programs a test started: asked first, killed when they do not go.
inline void StopProcesses(std::initializer_list<QProcess*> processes) {
    for (QProcess* process : processes) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(5000))
            process->kill();
        process->waitForFinished(5000);
    }
}
