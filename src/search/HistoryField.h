#pragma once

#include <QStringList>

class QComboBox;
class QDialog;
class QHBoxLayout;
class QWidget;

// The parts the search dialogs share: editable text fields with a history,
// and the row of OK and Cancel.

// An editable field whose list is the history: what the user types stays
// as typed (no completion from the history, no insertion on Return).
QComboBox* HistoryField(QWidget* parent, const QString& name);

// Shows the history in the list and the text in the field.
void FillHistory(QComboBox& field, const QStringList& history, const QString& text);

// The history to remember: the field's list with a confirmed text on top,
// at most SearchState::kHistorySize entries.
QStringList HistoryOf(const QComboBox& field);

// OK (the default button, accepting) and Cancel (rejecting) at the right of
// a row, named OkButton and CancelButton.
QHBoxLayout* OkCancelRow(QDialog& dialog, const QString& cancelCaption);
