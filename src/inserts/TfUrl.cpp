#include "TfUrl.h"

#include "EditorControl.h"
#include "ObjectHtml.h"
#include "ObjectInserts.h"
#include "Prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLineEdit* NamedEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(260);
    return edit;
}

} // namespace

TfUrl::TfUrl(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fUrl"));
    setWindowTitle(QStringLiteral("Add link ..."));

    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));

    auto* urlPage = new QWidget;
    urlPage->setObjectName(QStringLiteral("TabSheet1"));
    auto* urlForm = new QFormLayout(urlPage);
    url = NamedEdit("Edit2", urlPage);
    urlName = NamedEdit("Edit3", urlPage);
    newWindow = new QCheckBox(QStringLiteral("Open link in a new window"), urlPage);
    newWindow->setObjectName(QStringLiteral("newwd"));
    urlForm->addRow(QStringLiteral("URL"), url);
    urlForm->addRow(QStringLiteral("Name"), urlName);
    urlForm->addRow(QString(), newWindow);
    pages->addTab(urlPage, QStringLiteral("Url"));

    auto* mailPage = new QWidget;
    mailPage->setObjectName(QStringLiteral("TabSheet2"));
    auto* mailForm = new QFormLayout(mailPage);
    address = NamedEdit("Edit1", mailPage);
    mailName = NamedEdit("Edit4", mailPage);
    mailForm->addRow(QStringLiteral("Email Adres"), address);
    mailForm->addRow(QStringLiteral("Name"), mailName);
    pages->addTab(mailPage, QStringLiteral("Mail To"));
    pages->setCurrentIndex(0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfUrl::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    url->setFocus();
}

void TfUrl::confirm() {
    if (pages->currentIndex() == 1)
        html = MailLinkHtml(address->text(), mailName->text());
    else
        html = LinkHtml(url->text(), urlName->text(), newWindow->isChecked());
    accept();
}

void RunLinkCommand(EditorControl& target) {
    TfUrl dialog;
    if (CurrentPrompts().runDialog(dialog) == QDialog::Accepted)
        target.ReplaceSelection(dialog.Html());
}
