#include "TfHorLine.h"

#include "DialogParts.h"

#include "ColorSwatch.h"
#include "EditorControl.h"
#include "ObjectHtml.h"
#include "ObjectInserts.h"
#include "Prompts.h"
#include "SystemColors.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfHorLine::TfHorLine(QWidget* parent) : ButtonClosedDialog(parent) {
    setObjectName(QStringLiteral("fHorLine"));
    setWindowTitle(QStringLiteral("Horizontale Line"));

    auto* group = new QGroupBox(QStringLiteral("Configuration"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    color = new ColorSwatch(group);
    color->setObjectName(QStringLiteral("Panel1"));
    color->SetColor(0);
    color->setFixedSize(40, 22);
    connect(color, &ColorSwatch::clicked, this, &TfHorLine::chooseColor);
    lineSize = new QLineEdit(QStringLiteral("1"), group);
    lineSize->setObjectName(QStringLiteral("Edit2"));
    lineWidth = new QLineEdit(QStringLiteral("100"), group);
    lineWidth->setObjectName(QStringLiteral("Edit1"));
    for (QLineEdit* edit : {lineSize, lineWidth})
        edit->setFixedWidth(70);
    percent = new QCheckBox(QStringLiteral("%"), group);
    percent->setObjectName(QStringLiteral("CheckBox1"));
    percent->setChecked(true);

    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Color"), group), 0, 0);
    grid->addWidget(color, 0, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Size"), group), 1, 0);
    grid->addWidget(lineSize, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Width"), group), 2, 0);
    grid->addWidget(lineWidth, 2, 1);
    grid->addWidget(percent, 2, 2);
    grid->setColumnStretch(3, 1);

    QDialogButtonBox* buttons = AcceptCancelButtons(*this, QStringLiteral("Ok"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfHorLine::Html() const {
    return HorizontalLineHtml(lineSize->text(), lineWidth->text(), percent->isChecked(),
                              color->Color());
}

void TfHorLine::closeEvent(QCloseEvent* event) {
    // Closing from the window system (Alt+F4) is refused: only the buttons
    // end this dialog.
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TfHorLine::chooseColor() {
    if (const std::optional<QColor> chosen =
            CurrentPrompts().chooseColor(ColorFromNumber(color->Color())))
        color->SetColor(ColorNumber(*chosen));
}

void RunHorizontalLineCommand(EditorControl* target) {
    TfHorLine dialog;
    if (CurrentPrompts().runDialog(dialog) == QDialog::Accepted && target)
        target->ReplaceSelection(dialog.Html());
}
