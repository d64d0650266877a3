#include "DialogParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

QDialogButtonBox* AcceptCancelButtons(QDialog& dialog, const QString& acceptCaption) {
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* accept = buttons->addButton(acceptCaption, QDialogButtonBox::AcceptRole);
    accept->setObjectName(QStringLiteral("OkButton"));
    accept->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QHBoxLayout* FileFieldRow(QDialog& dialog, QLineEdit* field, const std::function<void()>& browse) {
    field->setMinimumWidth(280);
    auto* browseButton = new QPushButton(QStringLiteral("..."), &dialog);
    browseButton->setObjectName(QStringLiteral("Button1"));
    browseButton->setAutoDefault(false);
    browseButton->setFixedWidth(browseButton->sizeHint().height() + 8);
    QObject::connect(browseButton, &QPushButton::clicked, &dialog, browse);
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(browseButton);
    return row;
}

ButtonClosedDialog::ButtonClosedDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {}

void ButtonClosedDialog::keyPressEvent(QKeyEvent* event) {
    // QDialog answers Escape with reject(), which would bypass the close rules.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
