#include "SiteCopyDialogs.h"

#include "ErrorReport.h"
#include "FileListing.h"
#include "FolderTree.h"
#include "Language.h"
#include "Prompts.h"
#include "SiteCopy.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TfSelDir::TfSelDir(const QString& startFolder, QWidget* parent)
    : QDialog(parent), tree(new QTreeView(this)) {
    setObjectName(QStringLiteral("fSelDir"));
    setWindowTitle(QStringLiteral("Select destination directory ..."));
    tree->setObjectName(QStringLiteral("RzDirectoryTree1"));
    model = ShowFolderTree(*tree, this);
    auto* column = new QVBoxLayout(this);
    column->addWidget(tree, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = MakeButton(this, "OkButton", QStringLiteral("Ok"));
    auto* cancel = MakeButton(this, "CancelButton", QStringLiteral("Cancel"));
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
    resize(320, 400);
    SelectFolder(startFolder.isEmpty() ? QDir::homePath() : startFolder);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TfSelDir::SelectedFolder() const {
    const QModelIndex current = tree->currentIndex();
    return current.isValid() ? FolderPath(model->filePath(current)) : QString();
}

void TfSelDir::SelectFolder(const QString& path) {
    SelectFolderInTree(*tree, *model, path);
}

TfFileCopy::TfFileCopy(const QString& sourceFolder, const QStringList& names, QWidget* parent)
    : QDialog(parent), sourceFolder(sourceFolder), names(names), destination(new QLineEdit(this)),
      sourceLine(new QLabel(this)), destinationLine(new QLabel(this)),
      progress(new QProgressBar(this)),
      copyButton(MakeButton(this, "CopyButton", QStringLiteral("Copy Files ..."))),
      cancelButton(MakeButton(this, "CancelButton", QStringLiteral("Cancel ..."))),
      closeButton(MakeButton(this, "CloseButton", QStringLiteral("Close"))) {
    setObjectName(QStringLiteral("fFileCopy"));
    setWindowTitle(QStringLiteral("File copy monitor ..."));
    auto* column = new QVBoxLayout(this);
    auto* source = new QLineEdit(sourceFolder, this);
    source->setObjectName(QStringLiteral("SourceEdit"));
    source->setReadOnly(true);
    auto* sourceRow = new QFormLayout;
    sourceRow->addRow(QStringLiteral("Source:"), source);
    column->addLayout(sourceRow);
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("FileList"));
    list->addItems(names);
    column->addWidget(list, 1);
    auto* count =
        new QLabel(QStringLiteral("Files counted : ") + QString::number(names.size()), this);
    count->setObjectName(QStringLiteral("CountLabel"));
    column->addWidget(count);
    destination->setObjectName(QStringLiteral("DestinationEdit"));
    auto* choose = MakeButton(this, "ChooseButton", QStringLiteral("..."));
    choose->setFixedWidth(28);
    auto* destinationRow = new QHBoxLayout;
    destinationRow->addWidget(new QLabel(QStringLiteral("Destination :"), this));
    destinationRow->addWidget(destination, 1);
    destinationRow->addWidget(choose);
    column->addLayout(destinationRow);
    sourceLine->setObjectName(QStringLiteral("SourceLine"));
    destinationLine->setObjectName(QStringLiteral("DestinationLine"));
    auto* lines = new QFormLayout;
    lines->addRow(QStringLiteral("Source :"), sourceLine);
    lines->addRow(QStringLiteral("Destination :"), destinationLine);
    column->addLayout(lines);
    progress->setObjectName(QStringLiteral("ProgressBar1"));
    progress->setRange(0, int(names.size()));
    progress->setValue(0);
    column->addWidget(progress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copyButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(closeButton);
    column->addLayout(buttons);
    copyButton->setDefault(true);
    cancelButton->hide();
    resize(480, 420);

    connect(choose, &QPushButton::clicked, this, &TfFileCopy::ChooseClick);
    connect(copyButton, &QPushButton::clicked, this,
            [this] { RunReported([this] { CopyFilesClick(); }); });
    connect(cancelButton, &QPushButton::clicked, this, &TfFileCopy::CancelClick);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TfFileCopy::ChooseClick() {
    TfSelDir chooser(destinationFolder().isEmpty() ? sourceFolder : destinationFolder(), this);
    if (CurrentPrompts().runDialog(chooser) == QDialog::Accepted &&
        !chooser.SelectedFolder().isEmpty())
        destination->setText(chooser.SelectedFolder());
}

// The destination as a full path; a relative one is taken inside the
// source folder, not wherever the program happened to start.
QString TfFileCopy::destinationFolder() const {
    const QString typed = destination->text().trimmed();
    if (typed.isEmpty())
        return {};
    return QDir(sourceFolder).absoluteFilePath(typed);
}

// A missing destination is made when the user wants it; false when the copy
// cannot go on.
bool TfFileCopy::prepareDestination(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return true;
    if (!CurrentPrompts().message(MessageKind::Confirm, LangText(QStringLiteral("DirNotExist"))))
        return false;
    if (QDir().mkdir(folder))
        return true;
    CurrentPrompts().message(MessageKind::Error, LangText(QStringLiteral("cncDir")));
    return false;
}

void TfFileCopy::CopyFilesClick() {
    if (copying)
        return;
    const QString folder = destinationFolder();
    if (folder.isEmpty()) {
        LangMessage(QStringLiteral("DestPath"), QString(), 0);
        destination->setStyleSheet(QStringLiteral("QLineEdit { background-color: red; }"));
        destination->setFocus();
        return;
    }
    destination->setStyleSheet(QString());
    if (!prepareDestination(folder))
        return;
    copying = true;
    cancelButton->show();
    copyButton->setEnabled(false);
    closeButton->setEnabled(false);
    progress->setRange(0, int(names.size()));
    progress->setValue(0);
    // The copy runs on this thread; pending events are handled around each
    // file so that the window repaints and "Cancel ..." can be pressed.
    const SiteCopyResult result = CopyFiles(
        sourceFolder, names, folder,
        [this](int index, const QString& source, const QString& target) {
            if (stop)
                return false;
            QApplication::processEvents();
            setLines(source, target);
            emit fileAnnounced(index);
            QApplication::processEvents();
            return true;
        },
        [this](int index) { progress->setValue(index + 1); });
    copying = false;
    cancelButton->hide();
    copyButton->setEnabled(true);
    closeButton->setEnabled(true);
    setLines(QString(), QString());
    progress->setValue(0);
    if (!result.failed.isEmpty())
        ReportError(LangText(QStringLiteral("CopyFail")) + QLatin1Char('\n') +
                    result.failed.join(QLatin1Char('\n')));
    if (!result.attributesLost.isEmpty())
        ReportError(LangText(QStringLiteral("CopyAttr")) + QLatin1Char('\n') +
                    result.attributesLost.join(QLatin1Char('\n')));
    CurrentPrompts().message(MessageKind::Information, LangText(QStringLiteral("CopyDone")));
    copiedTo = FolderPath(folder);
    accept();
}

void TfFileCopy::CancelClick() {
    if (CurrentPrompts().message(MessageKind::Confirm, LangText(QStringLiteral("Stoppen"))))
        stop = true;
}

// Closing the window while files are being copied asks to cancel instead.
void TfFileCopy::reject() {
    if (copying)
        CancelClick();
    else
        QDialog::reject();
}

void TfFileCopy::setLines(const QString& source, const QString& target) {
    sourceLine->setText(source);
    destinationLine->setText(target);
}
