#pragma once

#include <QString>

#include <functional>

class QDialog;
class QDialogButtonBox;
class QHBoxLayout;
class QLineEdit;

// The button row of the insert dialogs: the accepting button (the default
// button, named "OkButton") and "Cancel" ("CancelButton"), which accept and
// reject the dialog.
QDialogButtonBox* AcceptCancelButtons(QDialog& dialog, const QString& acceptCaption);

// A file name field with a "..." button beside it that runs browse.
QHBoxLayout* FileFieldRow(QDialog& dialog, QLineEdit* field, const std::function<void()>& browse);
