// The main window's side of Search in Files: the results panel below the
// documents and the commands that fill it and step through it.

#include "TfMain.h"

#include "ErrorReport.h"
#include "FileManagerView.h"
#include "FileSearchCommands.h"
#include "ResultsPanel.h"

#include <QAction>
#include <QComboBox>
#include <QPointer>

void TfMain::connectFileSearch() {
    results = new ResultsPanel(this);
    addDockWidget(Qt::BottomDockWidgetArea, results);
    results->hide();
    connect(results, &ResultsPanel::activated, this,
            [this](const ResultPlace& place) { RunReported([&] { ShowResultPlace(place); }); });

    FileSearchHost host;
    host.documents = [this] { return Documents(); };
    host.folder = [this] { return FileManagerFolder(); };
    host.masks = [this] {
        QStringList masks;
        for (int i = 0; i < fileView->FilterBox()->count(); ++i)
            masks << fileView->FilterBox()->itemText(i);
        return masks;
    };
    host.currentMask = [this] { return fileView->FilterText(); };
    host.window = this;
    fileSearch = new FileSearchCommands(std::move(host), *results, this);

    const std::pair<const char*, std::function<void()>> commands[] = {
        {"SearchInFiles1", [this] { fileSearch->Run(false); }},
        {"ReplaceInFiles1", [this] { fileSearch->Run(true); }},
        {"NextResult1", [this] { results->Step(true); }},
        {"PreviousResult1", [this] { results->Step(false); }}};
    for (const auto& [name, command] : commands)
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this,
                [command = command] { RunReported(command); });

    // F4 opens the document's text formatting, unless results are shown to
    // step through.
    // The panel also hides while the window is taken down, after its table
    // of actions has gone.
    const auto enableStepping =
        [panel = results, next = QPointer<QAction>(action(QStringLiteral("NextResult1"))),
         previous = QPointer<QAction>(action(QStringLiteral("PreviousResult1")))] {
            const bool on = panel->isVisible() && panel->RowCount() > 0;
            for (QAction* step : {next.data(), previous.data()}) {
                if (step)
                    step->setEnabled(on);
            }
        };
    connect(results, &ResultsPanel::visibilityChanged, results, enableStepping);
    connect(results, &ResultsPanel::contentChanged, results, enableStepping);
    enableStepping();
}
