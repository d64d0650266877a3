#include "TfDT.h"

#include "DialogParts.h"

#include "EditorControl.h"
#include "ObjectInserts.h"
#include "Prompts.h"
#include "RegionalFormats.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfDT::TfDT(const QDateTime& now, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fDT"));
    setWindowTitle(QStringLiteral("Date / Time"));

    date = new QLineEdit(ShortDateText(now.date()), this);
    date->setObjectName(QStringLiteral("label3"));
    time = new QLineEdit(LongTimeText(now.time()), this);
    time->setObjectName(QStringLiteral("label4"));
    for (QLineEdit* edit : {date, time})
        edit->setMinimumWidth(180);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Date:"), date);
    fields->addRow(QStringLiteral("Time:"), time);

    auto* choices = new QGroupBox(this);
    choices->setObjectName(QStringLiteral("GroupBox1"));
    auto* choiceLayout = new QVBoxLayout(choices);
    const struct {
        const char* name;
        const char* caption;
        DateTimeChoice choice;
    } options[] = {
        {"RadioButton1", "Date", DateTimeChoice::Date},
        {"RadioButton2", "Time", DateTimeChoice::Time},
        {"RadioButton3", "Date and Time", DateTimeChoice::DateAndTime},
    };
    for (const auto& option : options) {
        auto* radio = new QRadioButton(QLatin1String(option.caption), choices);
        radio->setObjectName(QLatin1String(option.name));
        radio->setChecked(option.choice == DateTimeChoice::DateAndTime);
        const DateTimeChoice choice = option.choice;
        connect(radio, &QRadioButton::clicked, this, [this, choice] { take(choice); });
        choiceLayout->addWidget(radio);
    }

    QDialogButtonBox* buttons = AcceptCancelButtons(*this, QStringLiteral("Ok"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(choices);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    take(DateTimeChoice::DateAndTime);
}

void TfDT::take(DateTimeChoice choice) {
    kept = DateTimeText(choice, date->text(), time->text());
}

void RunDateTimeCommand(EditorControl* target) {
    TfDT dialog(QDateTime::currentDateTime());
    if (CurrentPrompts().runDialog(dialog) == QDialog::Accepted && target)
        target->ReplaceSelection(dialog.KeptText());
}
