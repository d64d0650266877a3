#include "TfTable.h"

#include "ColorSwatch.h"
#include "EditorControl.h"
#include "Language.h"
#include "Prompts.h"
#include "SpinField.h"
#include "SystemColors.h"
#include "TableHtml.h"
#include "TextInserts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>

namespace {

// The decorative picture: a small table with a shaded heading row.
QPixmap TablePicture() {
    QPixmap picture(96, 72);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QRect outline(4, 4, 87, 63);
    painter.fillRect(outline, Qt::white);
    painter.fillRect(QRect(outline.left(), outline.top(), outline.width(), 15),
                     QColor(0x4A, 0x6F, 0xA5));
    painter.setPen(QColor(0x30, 0x30, 0x30));
    painter.drawRect(outline);
    for (int row = 1; row < 4; ++row)
        painter.drawLine(outline.left(), outline.top() + row * 16 - 1, outline.right(),
                         outline.top() + row * 16 - 1);
    for (int column = 1; column < 3; ++column)
        painter.drawLine(outline.left() + column * 29, outline.top(), outline.left() + column * 29,
                         outline.bottom());
    return picture;
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

} // namespace

TfTable::TfTable(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fTable"));
    setWindowTitle(QStringLiteral("Table Creator"));
    setModal(true);

    auto* sizeGroup = new QGroupBox(QStringLiteral("Table Size"), this);
    rowsField = new QLineEdit(sizeGroup);
    rowsField->setObjectName(QStringLiteral("Edit1"));
    columnsField = new QLineEdit(sizeGroup);
    columnsField->setObjectName(QStringLiteral("Edit2"));
    auto* alignmentGroup = new QGroupBox(QStringLiteral("Alignment"), sizeGroup);
    alignmentGroup->setObjectName(QStringLiteral("RadioGroup1"));
    auto* alignmentLayout = new QHBoxLayout(alignmentGroup);
    for (const QString& caption :
         {QStringLiteral("Right"), QStringLiteral("Center"), QStringLiteral("Left")}) {
        auto* choice = new QRadioButton(caption, alignmentGroup);
        alignmentLayout->addWidget(choice);
        alignments << choice;
    }
    alignments.first()->setChecked(true);
    auto* sizeLayout = new QFormLayout(sizeGroup);
    sizeLayout->addRow(BuddyLabel(QStringLiteral("Rows"), rowsField), rowsField);
    sizeLayout->addRow(BuddyLabel(QStringLiteral("Columns"), columnsField), columnsField);
    sizeLayout->addRow(alignmentGroup);

    auto* cellGroup = new QGroupBox(QStringLiteral("Cell properties"), this);
    paddingField = new SpinField(5, cellGroup);
    paddingField->setObjectName(QStringLiteral("SpinEdit1"));
    spacingField = new SpinField(0, cellGroup);
    spacingField->setObjectName(QStringLiteral("SpinEdit2"));
    auto* cellLayout = new QFormLayout(cellGroup);
    cellLayout->addRow(BuddyLabel(QStringLiteral("Cellpadding"), paddingField), paddingField);
    cellLayout->addRow(BuddyLabel(QStringLiteral("Cellspacing"), spacingField), spacingField);

    auto* propertiesGroup = new QGroupBox(QStringLiteral("Table Properties"), this);
    borderBox = new QCheckBox(QStringLiteral("Use Border"), propertiesGroup);
    borderBox->setObjectName(QStringLiteral("Border"));
    sizeField = new SpinField(1, propertiesGroup);
    sizeField->setObjectName(QStringLiteral("edit4"));
    sizeLabel = BuddyLabel(QStringLiteral("Size"), sizeField);
    sizeLabel->setObjectName(QStringLiteral("SizeLabel"));
    const QSize swatchSize(sizeField->sizeHint().height() * 2, sizeField->sizeHint().height());
    borderSwatch = new ColorSwatch(propertiesGroup);
    borderSwatch->setObjectName(QStringLiteral("Panel1"));
    borderSwatch->setToolTip(QStringLiteral("Click to change border color"));
    borderSwatch->SetColor(0);
    borderSwatch->setFixedSize(swatchSize);
    borderColorLabel = BuddyLabel(QStringLiteral("Border Color"), borderSwatch);
    borderColorLabel->setObjectName(QStringLiteral("BorderColorLabel"));
    backgroundSwatch = new ColorSwatch(propertiesGroup);
    backgroundSwatch->setObjectName(QStringLiteral("Panel2"));
    backgroundSwatch->setToolTip(QStringLiteral("Click to change background color"));
    backgroundSwatch->SetColor(kPlainTableBackground);
    backgroundSwatch->setFixedSize(swatchSize);
    widthField = new QLineEdit(QStringLiteral("100%"), propertiesGroup);
    widthField->setObjectName(QStringLiteral("Edit3"));
    // Hidden border fields keep their room, so the layout does not jump.
    for (QWidget* field : {static_cast<QWidget*>(sizeField), static_cast<QWidget*>(borderSwatch)}) {
        QSizePolicy policy = field->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        field->setSizePolicy(policy);
    }
    auto* propertiesLayout = new QGridLayout(propertiesGroup);
    propertiesLayout->addWidget(borderBox, 0, 0, 1, 2);
    propertiesLayout->addWidget(sizeLabel, 1, 0);
    propertiesLayout->addWidget(sizeField, 1, 1, Qt::AlignLeft);
    propertiesLayout->addWidget(borderColorLabel, 2, 0);
    propertiesLayout->addWidget(borderSwatch, 2, 1, Qt::AlignLeft);
    propertiesLayout->addWidget(BuddyLabel(QStringLiteral("Background color"), backgroundSwatch), 3,
                                0);
    propertiesLayout->addWidget(backgroundSwatch, 3, 1, Qt::AlignLeft);
    propertiesLayout->addWidget(BuddyLabel(QStringLiteral("Table Width"), widthField), 4, 0);
    propertiesLayout->addWidget(widthField, 4, 1);
    propertiesLayout->setColumnStretch(1, 1);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(TablePicture());
    picture->setAlignment(Qt::AlignCenter);

    auto* createButton = new QPushButton(QStringLiteral("Create Table"), this);
    createButton->setObjectName(QStringLiteral("Button1"));
    createButton->setDefault(true);

    auto* left = new QVBoxLayout;
    left->addWidget(sizeGroup);
    left->addWidget(cellGroup);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(picture);
    right->addWidget(propertiesGroup);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(createButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(borderBox, &QCheckBox::toggled, this, &TfTable::showBorderFields);
    connect(borderSwatch, &ColorSwatch::clicked, this,
            [this] { pickColor(borderSwatch, lastChoice); });
    connect(backgroundSwatch, &ColorSwatch::clicked, this,
            [this] { pickColor(backgroundSwatch, lastChoice); });
    connect(createButton, &QPushButton::clicked, this, &TfTable::createTable);
    showBorderFields();
}

void TfTable::showBorderFields() {
    const bool on = borderBox->isChecked();
    sizeField->setVisible(on);
    borderSwatch->setVisible(on);
    sizeLabel->setEnabled(on);
    borderColorLabel->setEnabled(on);
}

void TfTable::pickColor(ColorSwatch* swatch, qint32& lastChoice) {
    const auto chosen = CurrentPrompts().chooseColor(ColorFromNumber(lastChoice));
    if (!chosen)
        return;
    lastChoice = ColorNumber(*chosen);
    swatch->SetColor(lastChoice);
}

void TfTable::createTable() {
    TableOptions options;
    options.border = borderBox->isChecked();
    options.borderSize = sizeField->Text();
    options.borderColor = borderSwatch->Color();
    options.background = backgroundSwatch->Color();
    if (options.border && options.borderSize.isEmpty()) {
        CurrentPrompts().message(MessageKind::Information, LangText(QStringLiteral("BdWidth")));
        sizeField->setFocus();
        return;
    }
    for (QRadioButton* choice : alignments)
        if (choice->isChecked())
            options.alignment = choice->text();
    options.width = widthField->text();
    options.cellPadding = paddingField->Value();
    options.cellSpacing = spacingField->Value();
    bool ok = false;
    options.rows = rowsField->text().toInt(&ok);
    if (!ok) {
        CurrentPrompts().message(MessageKind::Error, LangText(QStringLiteral("RowWidth")));
        rowsField->setFocus();
        return;
    }
    options.columns = columnsField->text().toInt(&ok);
    if (!ok) {
        CurrentPrompts().message(MessageKind::Error, LangText(QStringLiteral("ColWidth")));
        columnsField->setFocus();
        return;
    }
    if (options.width.isEmpty()) {
        CurrentPrompts().message(MessageKind::Error, LangText(QStringLiteral("TblWidth")));
        return;
    }
    tableText = TableHtml(options);
    accept();
}

void RunTableCommand(EditorControl* target) {
    TfTable dialog(target ? target->window() : nullptr);
    if (CurrentPrompts().runDialog(dialog) == QDialog::Accepted && target &&
        !dialog.TableText().isEmpty())
        target->ReplaceSelection(dialog.TableText());
}
