#pragma once

#include "FileSearch.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
struct FileSearchState;
struct SearchState;

// "Search in Files" and "Replace in Files": the search text (and the
// replace text) with their histories, the folder with a chooser, the file
// mask (the file manager's filter entries, or a typed mask) and the options.
class TFileSearchDialog : public QDialog {
    Q_OBJECT
public:
    // masks: the entries of the mask list; folder and mask: what the fields
    // show when nothing is remembered.
    TFileSearchDialog(bool replace, const QStringList& masks, const QString& folder,
                      const QString& mask, QWidget* parent = nullptr);

    void Load(const SearchState& texts, const FileSearchState& state);
    // The choices go into the states, the confirmed texts at the top of
    // their histories.
    void Store(SearchState& texts, FileSearchState& state) const;

    FileSearchRequest Request() const;

    // Stays open, with a message, for an empty search text, a folder that
    // does not exist and a regular expression that does not compile.
    void accept() override;

private:
    void chooseFolder();

    QString defaultFolder;
    QString defaultMask;
    QComboBox* searchText;
    QComboBox* replaceText = nullptr;
    QComboBox* folder;
    QComboBox* mask;
    QCheckBox* subFolders;
    QCheckBox* caseSensitive;
    QCheckBox* wholeWords;
    QCheckBox* regularExpression;
};
