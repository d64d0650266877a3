#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;
struct SearchState;

// "Search Text": the search text with its history, the five options and the
// direction.
class TTextSearchDialog : public QDialog {
    Q_OBJECT
public:
    explicit TTextSearchDialog(QWidget* parent = nullptr);

    // Shows the remembered choices and texts.
    void Load(const SearchState& state);
    // Copies the choices into the state, the confirmed texts at the top of
    // their histories (at most ten entries each).
    void Store(SearchState& state) const;

    QString SearchText() const;
    bool FromCaret() const;

    // With a regular expression that does not compile, says where and why,
    // and stays open.
    void accept() override;

protected:
    TTextSearchDialog(QWidget* parent, bool withReplace);

private:
    QComboBox* searchText;
    QComboBox* replaceText = nullptr;
    QCheckBox* caseSensitive;
    QCheckBox* wholeWords;
    QCheckBox* fromCaret;
    QCheckBox* selectedOnly;
    QCheckBox* regularExpression;
    QRadioButton* forward;
    QRadioButton* backward;
};

// "Replace text": the same, with the replace text and its history under the
// search text.
class TTextReplaceDialog : public TTextSearchDialog {
    Q_OBJECT
public:
    explicit TTextReplaceDialog(QWidget* parent = nullptr);
};
