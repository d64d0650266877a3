#include "Pictures.h"
#include "PreviewEngineSetup.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    PreparePreviewEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon Vantrel"));
    QApplication::setWindowIcon(ApplicationIcon());
    const auto window =
        StartQuillon(QApplication::arguments().mid(1), StartOptions::ForThisProgram());
    if (!window)
        return 0;
    return QApplication::exec();
}
