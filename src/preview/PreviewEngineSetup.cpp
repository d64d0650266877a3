#include "PreviewEngineSetup.h"

#include "ErrorReport.h"
#include "PreviewEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QOpenGLContext>
#include <QPluginLoader>

#include <unistd.h>

QT_BEGIN_NAMESPACE
// Qt's own setter of the context every OpenGL context shares with; Qt
// WebEngine uses the same when it is set up before the application.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE

namespace {

// The engine draws through OpenGL contexts shared with the windows', and it
// looks for the shared one as soon as its library is loaded. Qt would make
// that context at start-up when asked to before the application object
// exists, which loads the OpenGL driver into every run; made here, only a run
// that previews pays for it.
void ShareOpenGLContexts() {
    if (QOpenGLContext::globalShareContext())
        return;
    // Like Qt's own, the context is set also when the platform cannot make
    // it (no OpenGL off screen): the engine then draws in software.
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
}

} // namespace

void PreparePreviewEngine() {
    if (::geteuid() != 0)
        return;
    const QByteArray name("QTWEBENGINE_CHROMIUM_FLAGS");
    QByteArray flags = qgetenv(name.constData());
    if (flags.split(' ').contains("--no-sandbox"))
        return;
    if (!flags.isEmpty())
        flags += ' ';
    qputenv(name.constData(), flags + "--no-sandbox");
}

QString PreviewEngineModulePath() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral("quillon_webengine.so");
    const QString beside = programFolder.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(programFolder.filePath(QStringLiteral(QUILLON_MODULE_DIR_FROM_BIN)) +
                           QLatin1Char('/') + name);
}

PreviewEngine& LoadPreviewEngine() {
    // The module stays loaded for the rest of the run: its views may live
    // until the program ends.
    static QPluginLoader loader;
    static PreviewEngine* engine = nullptr;
    if (engine)
        return *engine;
    ShareOpenGLContexts();
    loader.setFileName(PreviewEngineModulePath());
    engine = qobject_cast<PreviewEngine*>(loader.instance());
    if (!engine)
        throw UserError(loader.errorString());
    return *engine;
}
