#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QDialogButtonBox;
class QHBoxLayout;
class QLineEdit;

// The button row of the insert dialogs: the accepting button (the default
// button, named "OkButton") and "Cancel" ("CancelButton"), which accept and
// reject the dialog.
QDialogButtonBox* AcceptCancelButtons(QDialog& dialog, const QString& acceptCaption);

// A file name field with a "..." button beside it that runs browse.
QHBoxLayout* FileFieldRow(QDialog& dialog, QLineEdit* field, const std::function<void()>& browse);

// A dialog without title-bar buttons that only its own buttons close: Escape
// does not cancel it.
class ButtonClosedDialog : public QDialog {
public:
    explicit ButtonClosedDialog(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
