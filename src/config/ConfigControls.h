#pragma once

#include "Prompts.h"
#include <QComboBox>
#include <QFontComboBox>

#include <QString>

#include <functional>

class ColorSwatch;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QWidget;

// A drop-down list that says when its list opens and closes.
template <typename Base> class DropDownAware : public Base {
public:
    using Base::Base;
    std::function<void(bool dropped)> onDropDown;
    void showPopup() override {
        Base::showPopup();
        if (onDropDown)
            onDropDown(true);
    }
    void hidePopup() override {
        Base::hidePopup();
        if (onDropDown)
            onDropDown(false);
    }
};
using DropDownList = DropDownAware<QComboBox>;
using DropDownFontList = DropDownAware<QFontComboBox>;

// A file dialog of one filter with a default extension.
FileDialogRequest OneFilterRequest(const QString& caption, const QString& label,
                                   const QString& patterns, const QString& suffix = {});

// Controls of the configuration screen, named so that they can be found.
QCheckBox* MakeTickBox(QWidget* parent, const char* name, const QString& caption, bool checked);
QSpinBox* MakeNumberField(QWidget* parent, const char* name, int value);
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption);
ColorSwatch* MakeSwatch(QWidget* parent, const char* name);
QLabel* MakeNote(QWidget* parent, const QString& text);
// The note on each page whose controls write their settings at once.
QLabel* MakeSavedNote(QWidget* parent);
// Fills a text field as if the text were typed, so that only a value that
// differs from the field's text runs its change action.
void FillText(QLineEdit* field, const QString& value);
void FillText(QPlainTextEdit* field, const QString& value);
// The label "Current Font :" (or another caption) beside a list, with the
// list's current choice, shown only while the list is dropped down.
QLabel* AttachCurrentChoiceLabel(DropDownList* list, const QString& caption);
QLabel* AttachCurrentChoiceLabel(DropDownFontList* list, const QString& caption);
