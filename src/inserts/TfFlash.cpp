#include "TfFlash.h"

#include "DialogParts.h"

#include "EditorControl.h"
#include "ObjectHtml.h"
#include "ObjectInserts.h"
#include "Prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace {

// An integer field over the whole integer range, starting at 0.
QSpinBox* NumberField(const char* name, QWidget* parent) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(QLatin1String(name));
    field->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    field->setValue(0);
    field->setFixedWidth(110);
    return field;
}

// The field's number as it reads now; text that is no integer (empty, a lone
// sign) counts as 0.
int NumberIn(const QSpinBox* field) {
    bool ok = false;
    const int value = field->locale().toInt(field->cleanText(), &ok);
    return ok ? value : 0;
}

} // namespace

TfFlash::TfFlash(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fFlash"));
    setWindowTitle(QStringLiteral("Insert Flash Movie"));

    movie = new QLineEdit(this);
    movie->setObjectName(QStringLiteral("Edit1"));
    QHBoxLayout* movieRow = FileFieldRow(*this, movie, [this] { browse(); });

    auto* size = new QGroupBox(QStringLiteral("Height and Width"), this);
    size->setObjectName(QStringLiteral("GroupBox1"));
    movieHeight = NumberField("SpinEdit1", size);
    movieWidth = NumberField("SpinEdit2", size);
    auto* note = new QLabel(QStringLiteral("This is optional !"), size);
    note->setObjectName(QStringLiteral("Label1"));
    auto* sizeForm = new QFormLayout(size);
    sizeForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    sizeForm->addRow(note);
    sizeForm->addRow(QStringLiteral("Height"), movieHeight);
    sizeForm->addRow(QStringLiteral("Width"), movieWidth);

    loop = new QCheckBox(QStringLiteral("Loop movie"), this);
    loop->setObjectName(QStringLiteral("CheckBox1"));

    QDialogButtonBox* buttons = AcceptCancelButtons(*this, QStringLiteral("Ok"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(movieRow);
    layout->addWidget(size);
    layout->addWidget(loop);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    movie->setFocus();
}

QString TfFlash::Html() const {
    return FlashHtml(movie->text(), NumberIn(movieWidth), NumberIn(movieHeight), loop->isChecked());
}

void TfFlash::browse() {
    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    const QStringList chosen = CurrentPrompts().openFiles(request);
    if (!chosen.isEmpty())
        movie->setText(BareFileName(chosen.constFirst()));
}

void RunFlashCommand(EditorControl& target) {
    TfFlash dialog;
    if (CurrentPrompts().runDialog(dialog) == QDialog::Accepted)
        target.ReplaceSelection(dialog.Html());
}
