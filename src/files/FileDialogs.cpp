#include "FileDialogs.h"

#include "ErrorReport.h"
#include "FileOperations.h"
#include "Language.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfConfdel::TfConfdel(const QStringList& paths, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fConfdel"));
    setWindowTitle(QStringLiteral("Confirm delete ..."));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Files to be deleted :"), this));
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("ListBox1"));
    list->addItems(paths);
    column->addWidget(list);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
    resize(460, 300);
    connect(ok, &QPushButton::clicked, this, &TfConfdel::OkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfConfdel::OkClick() {
    if (LangMessage(QStringLiteral("DelConfirm"), QString(), 1))
        accept();
}

TfFolder::TfFolder(const QString& parentFolder, QWidget* parent)
    : QDialog(parent), parentFolder(parentFolder), edit(new QLineEdit(this)) {
    setObjectName(QStringLiteral("fFolder"));
    setWindowTitle(QStringLiteral("Create New Folder"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Enter a folder name ..."), this));
    edit->setObjectName(QStringLiteral("Edit1"));
    column->addWidget(edit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* create = new QPushButton(QStringLiteral("Create"), this);
    create->setObjectName(QStringLiteral("CreateButton"));
    create->setToolTip(QStringLiteral("Create a folder"));
    create->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addWidget(create);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
    auto* status = new QLabel(QStringLiteral("Create folder in : ") + parentFolder, this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setFrameShape(QFrame::StyledPanel);
    column->addWidget(status);
    resize(360, 130);
    connect(create, &QPushButton::clicked, this, &TfFolder::CreateClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfFolder::CreateClick() {
    try {
        created = CreateFolder(parentFolder, edit->text());
    } catch (const UserError& error) {
        ReportError(error.text());
        return;
    }
    edit->clear();
    accept();
}
