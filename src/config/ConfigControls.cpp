#include "ConfigControls.h"

#include "ColorSwatch.h"
#include "SystemColors.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

FileDialogRequest OneFilterRequest(const QString& caption, const QString& label,
                                   const QString& patterns, const QString& suffix) {
    FileDialogRequest request;
    request.caption = caption;
    request.filters = {{label, patterns}};
    request.defaultSuffix = suffix;
    return request;
}

QCheckBox* MakeTickBox(QWidget* parent, const char* name, const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

QSpinBox* MakeNumberField(QWidget* parent, const char* name, int value) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(0, 9999);
    field->setValue(value);
    return field;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

ColorSwatch* MakeSwatch(QWidget* parent, const char* name) {
    auto* swatch = new ColorSwatch(parent);
    swatch->setObjectName(QString::fromLatin1(name));
    swatch->SetColor(kButtonFaceNumber);
    swatch->setFixedSize(40, 20);
    return swatch;
}

QLabel* MakeNote(QWidget* parent, const QString& text) {
    auto* note = new QLabel(text, parent);
    note->setWordWrap(true);
    return note;
}

QLabel* MakeSavedNote(QWidget* parent) {
    QLabel* note = MakeNote(parent, QStringLiteral("These settings are saved automaticly !"));
    note->setObjectName(QStringLiteral("SavedNote"));
    return note;
}

void FillText(QLineEdit* field, const QString& value) {
    if (field->text() != value)
        field->setText(value);
}

void FillText(QPlainTextEdit* field, const QString& value) {
    if (field->toPlainText() != value)
        field->setPlainText(value);
}

namespace {

template <typename List> QLabel* AttachLabel(List* list, const QString& caption) {
    auto* label = new QLabel(list->parentWidget());
    label->setObjectName(list->objectName() + QStringLiteral("Current"));
    label->hide();
    list->onDropDown = [list, label, caption](bool dropped) {
        label->setText(caption + QLatin1Char(' ') + list->currentText());
        label->setVisible(dropped);
    };
    return label;
}

} // namespace

QLabel* AttachCurrentChoiceLabel(DropDownList* list, const QString& caption) {
    return AttachLabel(list, caption);
}

QLabel* AttachCurrentChoiceLabel(DropDownFontList* list, const QString& caption) {
    return AttachLabel(list, caption);
}
