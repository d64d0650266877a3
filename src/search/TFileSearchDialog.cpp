#include "TFileSearchDialog.h"

#include "FileListing.h"
#include "HistoryField.h"
#include "Language.h"
#include "Prompts.h"
#include "SearchState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString Text(const char* key) {
    return LangText(QString::fromLatin1(key));
}

QCheckBox* Option(QWidget* parent, const char* name, const char* key) {
    auto* box = new QCheckBox(Text(key), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

void AddField(QGridLayout& grid, int row, const char* key, QWidget* field) {
    auto* label = new QLabel(Text(key), field->parentWidget());
    label->setBuddy(field);
    grid.addWidget(label, row, 0);
    grid.addWidget(field, row, 1);
}

} // namespace

TFileSearchDialog::TFileSearchDialog(bool replace, const QStringList& masks, const QString& folder,
                                     const QString& mask, QWidget* parent)
    : QDialog(parent), defaultFolder(folder), defaultMask(mask) {
    setObjectName(replace ? QStringLiteral("FileReplaceDialog")
                          : QStringLiteral("FileSearchDialog"));
    setWindowTitle(Text(replace ? "RifTitle" : "SifTitle"));

    auto* fields = new QGridLayout;
    searchText = HistoryField(this, QStringLiteral("SearchText"));
    AddField(*fields, 0, "SifFind", searchText);
    if (replace) {
        replaceText = HistoryField(this, QStringLiteral("ReplaceText"));
        AddField(*fields, 1, "SifReplace", replaceText);
    }
    this->folder = HistoryField(this, QStringLiteral("Folder"));
    auto* choose = new QToolButton(this);
    choose->setObjectName(QStringLiteral("ChooseFolder"));
    choose->setText(QStringLiteral("..."));
    choose->setToolTip(Text("SifChoose"));
    connect(choose, &QToolButton::clicked, this, &TFileSearchDialog::chooseFolder);
    auto* folderLine = new QHBoxLayout;
    folderLine->addWidget(this->folder, 1);
    folderLine->addWidget(choose);
    auto* folderLabel = new QLabel(Text("SifFolder"), this);
    folderLabel->setBuddy(this->folder);
    fields->addWidget(folderLabel, 2, 0);
    fields->addLayout(folderLine, 2, 1);
    this->mask = HistoryField(this, QStringLiteral("Mask"));
    this->mask->addItems(masks);
    AddField(*fields, 3, "SifMask", this->mask);
    fields->setColumnStretch(1, 1);

    auto* options = new QGroupBox(Text("SifOptions"), this);
    options->setObjectName(QStringLiteral("Options"));
    subFolders = Option(options, "SubFolders", "SifSub");
    caseSensitive = Option(options, "CaseSensitive", "SifCase");
    wholeWords = Option(options, "WholeWords", "SifWhole");
    regularExpression = Option(options, "RegularExpression", "SifRegex");
    auto* optionGrid = new QGridLayout(options);
    optionGrid->addWidget(subFolders, 0, 0);
    optionGrid->addWidget(caseSensitive, 0, 1);
    optionGrid->addWidget(regularExpression, 1, 0);
    optionGrid->addWidget(wholeWords, 1, 1);

    QHBoxLayout* buttons = OkCancelRow(*this, Text("SifCancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(options);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    searchText->setFocus();
}

void TFileSearchDialog::Load(const SearchState& texts, const FileSearchState& state) {
    FillHistory(*searchText, texts.searchHistory, texts.searchText);
    searchText->lineEdit()->selectAll();
    if (replaceText)
        FillHistory(*replaceText, texts.replaceHistory, texts.replaceText);
    FillHistory(*folder, state.folderHistory,
                state.folder.isEmpty() ? defaultFolder : state.folder);
    // The filter entries stay below the typed masks.
    QStringList masks = state.maskHistory;
    for (int i = 0; i < mask->count(); ++i) {
        if (!masks.contains(mask->itemText(i)))
            masks << mask->itemText(i);
    }
    FillHistory(*mask, masks, state.mask.isEmpty() ? defaultMask : state.mask);
    subFolders->setChecked(state.subFolders);
    caseSensitive->setChecked(state.caseSensitive);
    wholeWords->setChecked(state.wholeWords);
    regularExpression->setChecked(state.regularExpression);
}

void TFileSearchDialog::Store(SearchState& texts, FileSearchState& state) const {
    texts.searchText = searchText->currentText();
    texts.searchHistory = HistoryOf(*searchText);
    if (replaceText) {
        texts.replaceText = replaceText->currentText();
        texts.replaceHistory = HistoryOf(*replaceText);
    }
    state.folder = folder->currentText();
    state.folderHistory = HistoryOf(*folder);
    state.mask = mask->currentText();
    state.maskHistory =
        WithTextOnTop(state.maskHistory, state.mask).mid(0, SearchState::kHistorySize);
    state.subFolders = subFolders->isChecked();
    state.caseSensitive = caseSensitive->isChecked();
    state.wholeWords = wholeWords->isChecked();
    state.regularExpression = regularExpression->isChecked();
}

FileSearchRequest TFileSearchDialog::Request() const {
    FileSearchRequest request;
    request.text = searchText->currentText();
    if (replaceText)
        request.replacement = replaceText->currentText();
    request.folder = FolderPath(QDir::cleanPath(folder->currentText()));
    request.patterns = MaskPatterns(MaskForFilterChoice(mask->currentText()));
    request.subFolders = subFolders->isChecked();
    request.matchCase = caseSensitive->isChecked();
    request.wholeWords = wholeWords->isChecked();
    request.regularExpression = regularExpression->isChecked();
    return request;
}

void TFileSearchDialog::accept() {
    if (searchText->currentText().isEmpty()) {
        searchText->setFocus();
        return;
    }
    if (!QDir(folder->currentText()).exists() || folder->currentText().isEmpty()) {
        CurrentPrompts().message(MessageKind::Error,
                                 Text("SifNoFolder").arg(folder->currentText()));
        folder->setFocus();
        return;
    }
    if (regularExpression->isChecked()) {
        const QRegularExpression expression(searchText->currentText(),
                                            QRegularExpression::UseUnicodePropertiesOption);
        if (!expression.isValid()) {
            CurrentPrompts().message(MessageKind::Error,
                                     Text("RegexError")
                                         .arg(expression.patternErrorOffset() + 1)
                                         .arg(expression.errorString()));
            searchText->setFocus();
            return;
        }
    }
    QDialog::accept();
}

void TFileSearchDialog::chooseFolder() {
    if (const std::optional<QString> chosen =
            CurrentPrompts().chooseDirectory(Text("SifChoose"), folder->currentText()))
        folder->setEditText(*chosen);
}
