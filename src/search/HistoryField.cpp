#include "HistoryField.h"

#include "SearchState.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

QComboBox* HistoryField(QWidget* parent, const QString& name) {
    auto* field = new QComboBox(parent);
    field->setObjectName(name);
    field->setEditable(true);
    // The history changes only when the dialog is confirmed.
    field->setInsertPolicy(QComboBox::NoInsert);
    // What the user types is searched as typed: no completion from the
    // history, which would extend "CAT" to "CATalog" or, on Return, swap in
    // an entry's letter case. Without a completer the list matches case
    // sensitively.
    field->setCompleter(nullptr);
    field->setMinimumWidth(260);
    return field;
}

void FillHistory(QComboBox& field, const QStringList& history, const QString& text) {
    field.clear();
    field.addItems(history);
    field.setEditText(text);
}

QStringList HistoryOf(const QComboBox& field) {
    QStringList items;
    for (int i = 0; i < field.count(); ++i)
        items << field.itemText(i);
    if (!field.currentText().isEmpty())
        items = WithTextOnTop(items, field.currentText());
    return items.mid(0, SearchState::kHistorySize);
}

QHBoxLayout* OkCancelRow(QDialog& dialog, const QString& cancelCaption) {
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(cancelCaption, &dialog);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    return buttons;
}
