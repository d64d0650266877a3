#include "TfUpdScript.h"

#include "DialogParts.h"

#include "EditorControl.h"
#include "Prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfUpdScript::TfUpdScript(const QString& language, QWidget* parent)
    : QDialog(parent), text(new QLineEdit(LastUpdatedSentence(language), this)),
      bold(new QCheckBox(QStringLiteral("Bold"), this)),
      italic(new QCheckBox(QStringLiteral("Italic"), this)),
      underline(new QCheckBox(QStringLiteral("Underline"), this)) {
    setObjectName(QStringLiteral("fUpdScript"));
    setWindowTitle(QStringLiteral("Last Update Script"));
    text->setObjectName(QStringLiteral("Edit1"));
    text->setMinimumWidth(300);
    bold->setObjectName(QStringLiteral("CheckBox1"));
    italic->setObjectName(QStringLiteral("CheckBox2"));
    underline->setObjectName(QStringLiteral("CheckBox3"));

    auto* group = new QGroupBox(QStringLiteral("Text "), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(text);
    auto* styles = new QHBoxLayout;
    styles->addWidget(bold);
    styles->addWidget(italic);
    styles->addWidget(underline);
    styles->addStretch();
    groupLayout->addLayout(styles);

    QDialogButtonBox* buttons = AcceptCancelButtons(*this, QStringLiteral("Add Script"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

LastUpdatedChoice TfUpdScript::Choice() const {
    return {text->text(), bold->isChecked(), italic->isChecked(), underline->isChecked()};
}

void RunAlertBoxCommand(EditorControl* target) {
    const auto message = CurrentPrompts().inputLine(
        QStringLiteral("Insert Alert Box"), QStringLiteral("Enter alert message"), QString());
    if (!message || !target)
        return;
    Put(*target, ScriptText(AlertBoxScript(*message)));
}

void RunLastUpdatedCommand(EditorControl* target, const QString& language) {
    TfUpdScript dialog(language);
    if (CurrentPrompts().runDialog(dialog) != QDialog::Accepted || !target)
        return;
    Put(*target, ScriptText(LastUpdatedScript(dialog.Choice(), language)));
}
