#include "TfTextFormat.h"

#include "ColorSwatch.h"
#include "EditorControl.h"
#include "Prompts.h"
#include "RgbToHtml.h"
#include "SettingsStore.h"
#include "SpinField.h"
#include "SystemColors.h"
#include "TagCommands.h"
#include "TextInserts.h"

#include <QCheckBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfTextFormat::TfTextFormat(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fTextFormat"));
    setWindowTitle(QStringLiteral("Text Formatting"));
    setModal(true);

    auto* fontGroup = new QGroupBox(QStringLiteral("Font Type"), this);
    faceBox = new QFontComboBox(fontGroup);
    faceBox->setObjectName(QStringLiteral("RzFontComboBox1"));
    faceBox->setToolTip(QStringLiteral("Font Style ..."));
    // The stored face is shown as stored, installed or not.
    const QString face = Settings().ReadText(QStringLiteral("Font"), QStringLiteral("Type"),
                                             QStringLiteral("Verdana"));
    faceBox->setCurrentFont(QFont(face));
    faceBox->setEditText(face);
    sizeField = new SpinField(
        Settings().ReadNumber(QStringLiteral("Font"), QStringLiteral("Size2"), 2), fontGroup);
    sizeField->setObjectName(QStringLiteral("SpinEdit1"));
    sizeField->setToolTip(QStringLiteral("Font Size ..."));
    auto* fontLayout = new QHBoxLayout(fontGroup);
    fontLayout->addWidget(faceBox, 1);
    fontLayout->addWidget(sizeField);

    auto* colorGroup = new QGroupBox(this);
    colorGroup->setObjectName(QStringLiteral("GroupBox2"));
    auto* colorLabel = new QLabel(QStringLiteral("Color :"), colorGroup);
    swatch = new ColorSwatch(colorGroup);
    swatch->setObjectName(QStringLiteral("Panel1"));
    swatch->SetColor(0);
    swatch->setFixedSize(40, sizeField->sizeHint().height());
    colorLabel->setBuddy(swatch);
    auto* chooseButton = new QPushButton(QStringLiteral("..."), colorGroup);
    chooseButton->setObjectName(QStringLiteral("Button3"));
    chooseButton->setAutoDefault(false);
    chooseButton->setFixedWidth(
        chooseButton->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    auto* codeLabel = new QLabel(QStringLiteral("HTML Code :"), colorGroup);
    colorText = new QLabel(QStringLiteral("#000000"), colorGroup);
    colorText->setObjectName(QStringLiteral("ColorCode"));
    colorText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* colorLayout = new QHBoxLayout(colorGroup);
    colorLayout->addWidget(colorLabel);
    colorLayout->addWidget(swatch);
    colorLayout->addWidget(chooseButton);
    colorLayout->addSpacing(12);
    colorLayout->addWidget(codeLabel);
    colorLayout->addWidget(colorText, 1);

    auto* stylesGroup = new QGroupBox(QStringLiteral("Optional Styles"), this);
    boldBox = new QCheckBox(QStringLiteral("Bold"), stylesGroup);
    boldBox->setObjectName(QStringLiteral("Bold"));
    underlineBox = new QCheckBox(QStringLiteral("Underline"), stylesGroup);
    underlineBox->setObjectName(QStringLiteral("Underline"));
    italicBox = new QCheckBox(QStringLiteral("Italic"), stylesGroup);
    italicBox->setObjectName(QStringLiteral("Italic"));
    centeredBox = new QCheckBox(QStringLiteral("Centered"), stylesGroup);
    centeredBox->setObjectName(QStringLiteral("Centered"));
    auto* stylesLayout = new QVBoxLayout(stylesGroup);
    for (QCheckBox* box : {boldBox, underlineBox, italicBox, centeredBox})
        stylesLayout->addWidget(box);

    auto* applyButton = new QPushButton(QStringLiteral("Apply Text Formatting"), this);
    applyButton->setObjectName(QStringLiteral("Button1"));
    applyButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("Button2"));
    cancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(applyButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fontGroup);
    layout->addWidget(colorGroup);
    layout->addWidget(stylesGroup);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(swatch, &ColorSwatch::clicked, this, &TfTextFormat::pickColor);
    connect(chooseButton, &QPushButton::clicked, this, &TfTextFormat::pickColor);
    connect(applyButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TextFormat TfTextFormat::Format() const {
    TextFormat format;
    format.face = faceBox->currentText();
    format.size = sizeField->Text();
    format.color = colorText->text();
    format.bold = boldBox->isChecked();
    format.underline = underlineBox->isChecked();
    format.italic = italicBox->isChecked();
    format.centered = centeredBox->isChecked();
    return format;
}

void TfTextFormat::pickColor() {
    const auto chosen = CurrentPrompts().chooseColor(ColorFromNumber(swatch->Color()));
    if (!chosen)
        return;
    swatch->SetColor(ColorNumber(*chosen));
    colorText->setText(ColorToHtml(swatch->Color()));
}

void RunTextFormatCommand(EditorControl* target) {
    if (!target)
        return;
    const int start = target->SelectionStart();
    const int end = target->SelectionEnd();
    const QString selected = target->SelectedText();
    TfTextFormat dialog(target->window());
    if (CurrentPrompts().runDialog(dialog) == QDialog::Accepted) {
        const FormatTags tags = TextFormatTags(dialog.Format());
        target->ReplaceSelection(tags.opening + selected + tags.closing);
        SelectBeforeCaret(*target, int(tags.closing.size()), end - start);
    } else {
        // Whatever the dialog did to the caret meanwhile, the selection
        // comes back.
        target->SetSelectionStart(start);
        target->SetSelectionEnd(end);
    }
    target->setFocus();
}

void ColorSelectedText(EditorControl& target, qint32 color, bool background) {
    const QString face = Settings().ReadText(QStringLiteral("Font"), QStringLiteral("Type"), {});
    const QString size = Settings().ReadText(QStringLiteral("Font"), QStringLiteral("Size2"), {});
    target.ReplaceSelection(ColoredTextHtml(face, size, color, target.SelectedText(), background));
}
