#include "WordProcessor.h"

#include "AtomicFile.h"
#include "ErrorReport.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <unistd.h>

namespace {

QString& ProgramOverride() {
    static QString program;
    return program;
}

} // namespace

QString WordProcessor::Program() {
    if (!ProgramOverride().isEmpty())
        return QFileInfo(ProgramOverride()).isExecutable() ? ProgramOverride() : QString();
    QString found = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(QStringLiteral("soffice"),
                                               {QStringLiteral("/usr/lib/libreoffice/program")});
    return found;
}

void WordProcessor::SetProgram(const QString& program) {
    ProgramOverride() = program;
}

bool WordProcessor::ConvertToRtf(const QString& source, const QString& target, int timeoutMs) {
    const QString program = Program();
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/quillon-convert-"));
    if (program.isEmpty() || !work.isValid() || !QFileInfo(source).isFile())
        return false;
    const QString outFolder = work.filePath(QStringLiteral("out"));
    QProcess process;
    process.setProgram(program);
    process.setArguments(
        {QStringLiteral("-env:UserInstallation=") +
             // Encoded: a blank left as it is in this URL makes LibreOffice abort.
             QUrl::fromLocalFile(work.filePath(QStringLiteral("profile")))
                 .toString(QUrl::FullyEncoded),
         QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--nologo"),
         QStringLiteral("--nolockcheck"), QStringLiteral("--convert-to"), QStringLiteral("rtf"),
         QStringLiteral("--outdir"), outFolder, QFileInfo(source).absoluteFilePath()});
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    // Its own process group, so that a time-out ends every process it started.
    process.setChildProcessModifier([] { ::setsid(); });

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    process.start();
    timer.start(timeoutMs);
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (process.state() != QProcess::NotRunning) {
        if (process.processId() > 0)
            ::kill(-pid_t(process.processId()), SIGKILL);
        process.kill();
        process.waitForFinished(5000);
    }
    if (timedOut || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    QFile output(
        QDir(outFolder).filePath(QFileInfo(source).completeBaseName() + QStringLiteral(".rtf")));
    if (!output.open(QIODevice::ReadOnly))
        return false;
    const QByteArray rtf = output.readAll();
    try {
        WriteFileAtomically(target, rtf);
    } catch (const UserError&) {
        return false;
    }
    return true;
}
