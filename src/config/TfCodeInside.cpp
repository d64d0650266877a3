#include "TfCodeInside.h"

#include "EditorControl.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfCodeInside::TfCodeInside(QWidget* parent)
    : QDialog(parent), key(new QLineEdit(this)), comment(new QLineEdit(this)),
      code(new EditorControl(this)) {
    setObjectName(QStringLiteral("fCodeInside"));
    setWindowTitle(QStringLiteral("Insert new code inside object ..."));
    auto* column = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    key->setObjectName(QStringLiteral("KeyEdit"));
    comment->setObjectName(QStringLiteral("CommentEdit"));
    fields->addRow(QStringLiteral("Key"), key);
    fields->addRow(QStringLiteral("Comment"), comment);
    column->addLayout(fields);
    code->setObjectName(QStringLiteral("CodeEditor"));
    code->SetHighlighter(Highlighter::Html);
    code->SetGutterVisible(false);
    code->SetText(QStringLiteral("Fill in your code here ..."));
    column->addWidget(code, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    buttons->addWidget(ok);
    column->addLayout(buttons);
    resize(480, 360);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
