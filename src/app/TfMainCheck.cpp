// The main window's side of Check Page: HTML Tidy's findings about the active
// document, listed in a results panel of their own beside the search results.

#include "TfMain.h"

#include "EditorControl.h"
#include "ErrorReport.h"
#include "Language.h"
#include "PageCheckRun.h"
#include "Prompts.h"
#include "ResultsPanel.h"
#include "TChildForm.h"

#include <QAction>
#include <QTreeWidget>

namespace {

QString KindText(PageFinding::Kind kind) {
    switch (kind) {
    case PageFinding::Kind::Error:
        return LangText(QStringLiteral("CheckError"));
    case PageFinding::Kind::Access:
        return LangText(QStringLiteral("CheckAccess"));
    case PageFinding::Kind::Warning:
        break;
    }
    return LangText(QStringLiteral("CheckWarning"));
}

} // namespace

void TfMain::connectPageCheck() {
    checkResults = new ResultsPanel(this);
    checkResults->setObjectName(QStringLiteral("PageCheckPanel"));
    checkResults->Tree()->setObjectName(QStringLiteral("PageCheckList"));
    addDockWidget(Qt::BottomDockWidgetArea, checkResults);
    tabifyDockWidget(results, checkResults);
    checkResults->hide();
    connect(checkResults, &ResultsPanel::activated, this,
            [this](const ResultPlace& place) { RunReported([&] { ShowResultPlace(place); }); });

    pageCheck = new PageCheckRun(this);
    connect(pageCheck, &PageCheckRun::finished, this,
            [this](QObject* about, const PageCheckResult& result) {
                showPageFindings(qobject_cast<TChildForm*>(about), result);
            });
    connect(action(QStringLiteral("CheckPage1")), &QAction::triggered, this,
            [this] { RunReported([this] { checkActivePage(); }); });
}

void TfMain::checkActivePage() {
    TChildForm* document = ActiveDocument();
    if (!document) {
        CurrentPrompts().message(MessageKind::Information, LangText(QStringLiteral("CheckNone")));
        return;
    }
    // The panel already says a check is under way; Tidy cannot be stopped.
    if (pageCheck->Running())
        return;
    checkResults->Clear(LangText(QStringLiteral("CheckPanel")));
    checkResults->SetStatus(LangText(QStringLiteral("CheckBusy")).arg(document->Caption()), false);
    checkResults->show();
    checkResults->raise();
    pageCheck->Start(document->Editor()->Utf8Text(), document);
}

void TfMain::showPageFindings(TChildForm* document, const PageCheckResult& result) {
    checkResults->Clear(LangText(QStringLiteral("CheckPanel")));
    if (!document) {
        checkResults->SetStatus(LangText(QStringLiteral("CheckGone")), false);
        return;
    }
    const QString caption = document->Caption();
    int errors = 0;
    int warnings = 0;
    const int group =
        checkResults->AddGroup(CaptionHasFile(caption) ? caption : QString(), document, caption);
    for (const PageFinding& finding : result.findings) {
        (finding.kind == PageFinding::Kind::Error ? errors : warnings) += 1;
        const QString kind = KindText(finding.kind);
        ResultRow row;
        // Findings about the whole page (a missing doctype) point at its start.
        row.line = qMax(1, finding.line);
        row.column = qMax(1, finding.column);
        row.text = kind + QStringLiteral(", ") +
                   LangText(QStringLiteral("CheckColumn")).arg(row.column) + QStringLiteral(": ") +
                   finding.message;
        row.emphasisLength = int(kind.size());
        checkResults->AddRow(group, row);
    }
    checkResults->SetTitle(LangText(QStringLiteral("CheckTitle"))
                               .arg(caption, QString::number(errors), QString::number(warnings)));
    if (result.findings.isEmpty())
        checkResults->SetStatus(LangText(QStringLiteral("CheckClean")), false);
    else if (result.truncated)
        checkResults->SetStatus(
            LangText(QStringLiteral("CheckMore")).arg(QString::number(kMaxFindings)), false);
    checkResults->show();
    checkResults->raise();
}
