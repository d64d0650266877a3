// The main window's part in crash recovery: the snapshots its documents keep
// while they have unsaved changes, and the documents a program that did not
// close properly left behind, offered again at the start.

#include "TfMain.h"

#include "EditorControl.h"
#include "ErrorReport.h"
#include "Language.h"
#include "Prompts.h"
#include "RecoveryStore.h"
#include "SettingDefaults.h"
#include "SettingsStore.h"
#include "StatusPanels.h"
#include "TChildForm.h"

#include <QRegularExpression>

void TfMain::trackRecovery(TChildForm& document) {
    const int number = ++snapshotCounter;
    connect(&document, &TChildForm::snapshotDue, this, [this, &document, number] {
        if (document.ModifiedFlag())
            recovery->Keep(number, document.TakeSnapshot());
        else
            recovery->Remove(number);
    });
    // Closed without saving, or at a clean exit: the changes were given up.
    connect(&document, &QObject::destroyed, this, [this, number] { recovery->Remove(number); });
}

void TfMain::RecoverDocuments() {
    RecoveryStore::Leftovers leftovers = recovery->TakeLeftovers();
    if (leftovers.snapshots.isEmpty()) {
        recovery->Discard(leftovers);
        return;
    }
    const QString question = LangText(QStringLiteral("RecAsk")).arg(leftovers.snapshots.size());
    if (!CurrentPrompts().message(MessageKind::Confirm, question)) {
        recovery->Discard(leftovers);
        return;
    }
    for (const Snapshot& snapshot : std::as_const(leftovers.snapshots))
        RunReported([&] { restoreSnapshot(snapshot); });
    recovery->Restored(leftovers);
}

void TfMain::restoreSnapshot(const Snapshot& snapshot) {
    HideImageBrowser();
    // A new document after the restored ones takes a number of its own.
    static const QRegularExpression untitled(QStringLiteral("^Untitled([0-9]+)$"));
    const auto match = untitled.match(snapshot.caption);
    if (snapshot.untitled && match.hasMatch())
        documentCounter = qMax(documentCounter, match.captured(1).toInt());
    else
        NextDocumentNumber();
    const QString tabCaption =
        snapshot.untitled ? snapshot.caption : CaptionFileName(snapshot.caption);
    TChildForm* document = CreateDocumentWindow(snapshot.caption, tabCaption);
    if (snapshot.untitled)
        document->StatusBar()->SetPanelText(3, snapshot.caption + QStringLiteral(".html"));
    else
        document->RefreshFileNamePanel();
    document->RestoreSnapshot(snapshot);
    const bool highlight = Settings().ReadFlag(QStringLiteral("SHigh"), QStringLiteral("Enabled"),
                                               SettingDefaults::kHighlighting);
    if (highlight && snapshot.caption.endsWith(QLatin1String(".css"), Qt::CaseInsensitive))
        document->Editor()->SetHighlighter(Highlighter::Css);
    // Kept again at once, under this program's folder, before the old one goes.
    emit document->snapshotDue();
}
