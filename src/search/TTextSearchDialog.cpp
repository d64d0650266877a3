#include "TTextSearchDialog.h"

#include "HistoryField.h"
#include "Language.h"
#include "Prompts.h"
#include "SearchState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

QCheckBox* Option(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

TTextSearchDialog::TTextSearchDialog(QWidget* parent) : TTextSearchDialog(parent, false) {}

TTextSearchDialog::TTextSearchDialog(QWidget* parent, bool withReplace) : QDialog(parent) {
    setObjectName(withReplace ? QStringLiteral("TextReplaceDialog")
                              : QStringLiteral("TextSearchDialog"));
    setWindowTitle(withReplace ? QStringLiteral("Replace text") : QStringLiteral("Search Text"));

    auto* texts = new QGridLayout;
    searchText = HistoryField(this, QStringLiteral("SearchText"));
    auto* searchLabel = new QLabel(QStringLiteral("&Search for:"), this);
    searchLabel->setBuddy(searchText);
    texts->addWidget(searchLabel, 0, 0);
    texts->addWidget(searchText, 0, 1);
    if (withReplace) {
        replaceText = HistoryField(this, QStringLiteral("ReplaceText"));
        auto* replaceLabel = new QLabel(QStringLiteral("&Replace with:"), this);
        replaceLabel->setBuddy(replaceText);
        texts->addWidget(replaceLabel, 1, 0);
        texts->addWidget(replaceText, 1, 1);
    }
    texts->setColumnStretch(1, 1);

    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    options->setObjectName(QStringLiteral("Options"));
    caseSensitive = Option(options, "CaseSensitive", "C&ase sensitivity");
    wholeWords = Option(options, "WholeWords", "&Whole words only");
    fromCaret = Option(options, "FromCaret", "Search from &caret");
    selectedOnly = Option(options, "SelectedOnly", "&Selected text only");
    regularExpression = Option(options, "RegularExpression", "Regular e&xpression");
    auto* optionColumn = new QVBoxLayout(options);
    for (QCheckBox* box : {caseSensitive, wholeWords, fromCaret, selectedOnly, regularExpression})
        optionColumn->addWidget(box);

    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    direction->setObjectName(QStringLiteral("Direction"));
    forward = new QRadioButton(QStringLiteral("&Forward"), direction);
    forward->setObjectName(QStringLiteral("Forward"));
    forward->setChecked(true);
    backward = new QRadioButton(QStringLiteral("&Backward"), direction);
    backward->setObjectName(QStringLiteral("Backward"));
    auto* directionColumn = new QVBoxLayout(direction);
    directionColumn->addWidget(forward);
    directionColumn->addWidget(backward);
    directionColumn->addStretch(1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(options, 1);
    groups->addWidget(direction, 1);

    QHBoxLayout* buttons = OkCancelRow(*this, QStringLiteral("Cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(texts);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    searchText->setFocus();
}

void TTextSearchDialog::Load(const SearchState& state) {
    (state.backwards ? backward : forward)->setChecked(true);
    caseSensitive->setChecked(state.caseSensitive);
    wholeWords->setChecked(state.wholeWords);
    fromCaret->setChecked(state.fromCaret);
    selectedOnly->setChecked(state.selectedOnly);
    regularExpression->setChecked(state.regularExpression);
    FillHistory(*searchText, state.searchHistory, state.searchText);
    searchText->lineEdit()->selectAll();
    if (replaceText)
        FillHistory(*replaceText, state.replaceHistory, state.replaceText);
}

void TTextSearchDialog::Store(SearchState& state) const {
    state.backwards = backward->isChecked();
    state.caseSensitive = caseSensitive->isChecked();
    state.wholeWords = wholeWords->isChecked();
    state.fromCaret = fromCaret->isChecked();
    state.selectedOnly = selectedOnly->isChecked();
    state.regularExpression = regularExpression->isChecked();
    state.searchText = searchText->currentText();
    state.searchHistory = HistoryOf(*searchText);
    if (replaceText) {
        state.replaceText = replaceText->currentText();
        state.replaceHistory = HistoryOf(*replaceText);
    }
}

QString TTextSearchDialog::SearchText() const {
    return searchText->currentText();
}

bool TTextSearchDialog::FromCaret() const {
    return fromCaret->isChecked();
}

void TTextSearchDialog::accept() {
    if (regularExpression->isChecked()) {
        const QRegularExpression expression(searchText->currentText(),
                                            QRegularExpression::UseUnicodePropertiesOption);
        if (!expression.isValid()) {
            CurrentPrompts().message(MessageKind::Error,
                                     LangText(QStringLiteral("RegexError"))
                                         .arg(expression.patternErrorOffset() + 1)
                                         .arg(expression.errorString()));
            searchText->setFocus();
            return;
        }
    }
    QDialog::accept();
}

TTextReplaceDialog::TTextReplaceDialog(QWidget* parent) : TTextSearchDialog(parent, true) {}
