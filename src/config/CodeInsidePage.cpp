#include "CodeInsidePage.h"

#include "AtomicFile.h"
#include "ConfigControls.h"
#include "EditorControl.h"
#include "ErrorReport.h"
#include "Language.h"
#include "Prompts.h"
#include "SettingsStore.h"
#include "TfCodeInside.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

FileDialogRequest LibraryRequest(const QString& caption) {
    return OneFilterRequest(caption, QStringLiteral("Code Inside Files ( *.qci )"),
                            QStringLiteral("*.qci"), QStringLiteral("qci"));
}

// Replaces the file at target with a copy of source.
void CopyFile(const QString& source, const QString& target) {
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("Cannot open file ") + source);
    QDir().mkpath(QFileInfo(target).absolutePath());
    WriteFileAtomically(target, file.readAll());
}

} // namespace

CodeInsidePage::CodeInsidePage(const QString& configFolder, QWidget* parent)
    : QWidget(parent), path(SnippetLibrary::FilePath(configFolder)),
      useCodeInside(MakeTickBox(this, "UseCodeInside", QStringLiteral("Use code inside"), false)),
      body(new QWidget(this)), codes(new QListWidget(body)), comments(new QListWidget(body)),
      editor(new EditorControl(body)),
      saveButton(MakeButton(body, "SaveChanges", QStringLiteral("Save changes ..."))) {
    setObjectName(QStringLiteral("CodeInsidePage"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(useCodeInside, 0, Qt::AlignTop);
    column->addWidget(body, 1);
    column->addStretch(0);
    column->addWidget(MakeSavedNote(this));
    auto* bodyColumn = new QVBoxLayout(body);
    bodyColumn->setContentsMargins(0, 0, 0, 0);
    auto* header = new QHBoxLayout;
    header->addWidget(new QLabel(QStringLiteral("Short Code"), body), 1);
    header->addWidget(new QLabel(QStringLiteral("Scripts"), body), 3);
    bodyColumn->addLayout(header);

    auto* sides = new QHBoxLayout;
    auto* lists = new QSplitter(Qt::Vertical, body);
    lists->setObjectName(QStringLiteral("ListSplitter"));
    codes->setObjectName(QStringLiteral("ShortCodes"));
    comments->setObjectName(QStringLiteral("Comments"));
    lists->addWidget(codes);
    auto* commentPanel = new QWidget(lists);
    auto* commentColumn = new QVBoxLayout(commentPanel);
    commentColumn->setContentsMargins(0, 0, 0, 0);
    commentColumn->addWidget(new QLabel(QStringLiteral("Comments"), commentPanel));
    commentColumn->addWidget(comments, 1);
    lists->addWidget(commentPanel);
    sides->addWidget(lists, 1);
    editor->setObjectName(QStringLiteral("SnippetEditor"));
    editor->SetHighlighter(Highlighter::Html);
    editor->SetGutterVisible(false);
    sides->addWidget(editor, 3);
    bodyColumn->addLayout(sides, 1);

    auto* buttons = new QHBoxLayout;
    const auto command = [this, buttons](const char* name, const char* caption,
                                         void (CodeInsidePage::*run)()) {
        QPushButton* button = MakeButton(body, name, QString::fromLatin1(caption));
        connect(button, &QPushButton::clicked, this,
                [this, run] { RunReported([this, run] { (this->*run)(); }); });
        buttons->addWidget(button);
    };
    command("AddCode", "Add Code", &CodeInsidePage::AddCode);
    command("DeleteSelected", "Delete Selected", &CodeInsidePage::DeleteSelected);
    command("ExportCodeInside", "Export code inside", &CodeInsidePage::ExportLibrary);
    command("ImportCodeInside", "Import code inside", &CodeInsidePage::ImportLibrary);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    saveButton->hide();
    connect(saveButton, &QPushButton::clicked, this,
            [this] { RunReported([this] { SaveChanges(); }); });
    bodyColumn->addLayout(buttons);

    connect(useCodeInside, &QCheckBox::toggled, this, [this](bool on) {
        RunReported([on] {
            Settings().WriteFlag(QStringLiteral("Use"), QStringLiteral("CodeInside"), on);
        });
        UpdateVisibility();
    });
    useCodeInside->setChecked(
        Settings().ReadFlag(QStringLiteral("Use"), QStringLiteral("CodeInside"), false));
    UpdateVisibility();

    connect(codes, &QListWidget::currentRowChanged, this, &CodeInsidePage::codeRowChanged);
    connect(comments, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!syncing)
            codes->setCurrentRow(row);
    });
    connect(editor, &EditorControl::changed, this, [this] {
        if (saveButton->isHidden())
            editedRow = codes->currentRow();
        saveButton->show();
    });
}

void CodeInsidePage::UpdateVisibility() {
    body->setVisible(useCodeInside->isChecked());
}

void CodeInsidePage::LoadLibrary(bool reportMissing) {
    if (!library.Load(path) && reportMissing)
        ReportError(QStringLiteral("Cannot open file ") + path);
    rows = library.Entries();
    fillLists();
}

void CodeInsidePage::fillLists() {
    syncing = true;
    codes->clear();
    comments->clear();
    for (const Snippet& entry : std::as_const(rows)) {
        codes->addItem(entry.code);
        comments->addItem(entry.comment);
    }
    syncing = false;
    shownRow = -1;
}

void CodeInsidePage::selectRow(int row) {
    syncing = true;
    codes->setCurrentRow(row);
    comments->setCurrentRow(row);
    syncing = false;
}

void CodeInsidePage::showRow(int row) {
    shownRow = row;
    editor->SetText(row >= 0 && row < rows.size() ? rows[row].text : QString());
}

void CodeInsidePage::codeRowChanged(int row) {
    if (syncing)
        return;
    if (!saveButton->isHidden() && row != shownRow) {
        if (CurrentPrompts().message(MessageKind::Confirm, LangText(QStringLiteral("DoYou")))) {
            bool saved = false;
            RunReported([&] {
                SaveChanges();
                saved = true;
            });
            if (!saved) {
                // The library could not be written: the edited entry stays
                // selected with the edit, so nothing is lost and the next
                // save still goes into the right entry.
                selectRow(shownRow);
                return;
            }
        } else {
            // The edit is given up: it must not be saved later into the
            // entry shown next.
            saveButton->hide();
        }
    }
    selectRow(row);
    showRow(row);
}

void CodeInsidePage::rewrite(const QList<Snippet>& entries) {
    SnippetLibrary::Write(path, entries);
    saveButton->hide();
    editedRow = -1;
    LoadLibrary(false);
}

void CodeInsidePage::SaveChanges() {
    if (editedRow < 0 || editedRow >= rows.size()) {
        saveButton->hide();
        CurrentPrompts().message(MessageKind::Information, LangText(QStringLiteral("NoCodeRow")));
        return;
    }
    const int row = editedRow;
    QList<Snippet> entries = rows;
    entries[row].text = editor->Text();
    rewrite(entries);
    selectRow(row);
    showRow(row);
}

void CodeInsidePage::AddCode() {
    TfCodeInside dialog(this);
    CurrentPrompts().runDialog(dialog);
    QList<Snippet> entries = rows;
    entries << Snippet{dialog.Key()->text(), dialog.Comment()->text(), dialog.Code()->Text()};
    rewrite(entries);
    showRow(-1);
}

void CodeInsidePage::DeleteSelected() {
    const int row = codes->currentRow();
    if (row < 0)
        return;
    rows.removeAt(row);
    fillLists();
    showRow(-1);
    rewrite(rows);
}

void CodeInsidePage::ExportLibrary() {
    const auto target = CurrentPrompts().saveFile(LibraryRequest(QStringLiteral("Save As")));
    if (target)
        RunSilently([&] { CopyFile(path, *target); });
}

void CodeInsidePage::ImportLibrary() {
    const QStringList chosen = CurrentPrompts().openFiles(LibraryRequest(QStringLiteral("Open")));
    if (!chosen.isEmpty())
        RunSilently([&] { CopyFile(chosen.constFirst(), path); });
    saveButton->hide();
    editedRow = -1;
    LoadLibrary(false);
    showRow(-1);
}
