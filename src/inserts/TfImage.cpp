#include "TfImage.h"

#include "DialogParts.h"

#include "EditorControl.h"
#include "ObjectHtml.h"
#include "ObjectInserts.h"
#include "Prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfImage::TfImage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fImage"));
    setWindowTitle(QStringLiteral("Insert image ..."));

    source = new QLineEdit(this);
    source->setObjectName(QStringLiteral("Edit1"));
    QHBoxLayout* sourceRow = FileFieldRow(*this, source, [this] { browse(); });

    noBorder = new QCheckBox(QStringLiteral("No border around image"), this);
    noBorder->setObjectName(QStringLiteral("CheckBox1"));
    noBorder->setChecked(true);

    QDialogButtonBox* buttons = AcceptCancelButtons(*this, QStringLiteral("Add Image"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sourceRow);
    layout->addWidget(noBorder);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    source->setFocus();
}

QString TfImage::Html() const {
    return ImageHtml(source->text(), noBorder->isChecked());
}

void TfImage::browse() {
    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    request.filters = {
        {QStringLiteral("Image Files (*.jpg;*.jpeg;*.png;*.gif;*.svg;*.webp;*.bmp)"),
         QStringLiteral("*.jpg;*.jpeg;*.png;*.gif;*.svg;*.webp;*.bmp")},
        {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")},
    };
    const QStringList chosen = CurrentPrompts().openFiles(request);
    if (!chosen.isEmpty())
        source->setText(BareFileName(chosen.constFirst()));
}

void RunImageCommand(EditorControl& target) {
    TfImage dialog;
    if (CurrentPrompts().runDialog(dialog) == QDialog::Accepted)
        target.ReplaceSelection(dialog.Html());
}
