#pragma once

#include <QDialog>
#include <QStringList>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;

// "Select destination directory ...": a folder tree with "Ok" and "Cancel".
class TfSelDir : public QDialog {
    Q_OBJECT
public:
    explicit TfSelDir(const QString& startFolder, QWidget* parent = nullptr);
    QTreeView* Tree() const { return tree; }
    // The folder selected in the tree, without a trailing "/" (except "/").
    QString SelectedFolder() const;
    void SelectFolder(const QString& path);

private:
    QTreeView* tree;
    QFileSystemModel* model;
};

// "File copy monitor ...": copies the chosen files of a folder into a
// destination typed or chosen by the user, one file at a time, showing each
// file and a bar that advances by one per file. The dialog is accepted when
// a copy has run.
class TfFileCopy : public QDialog {
    Q_OBJECT
public:
    TfFileCopy(const QString& sourceFolder, const QStringList& names, QWidget* parent = nullptr);

    QLineEdit* Destination() const { return destination; }
    QProgressBar* Progress() const { return progress; }
    QPushButton* CancelButton() const { return cancelButton; }
    // The folder the last copy went to.
    QString CopiedTo() const { return copiedTo; }

    void ChooseClick();
    void CopyFilesClick();
    void CancelClick();
    void reject() override;

signals:
    // A file is about to be copied; its lines are showing.
    void fileAnnounced(int index);

private:
    QString destinationFolder() const;
    bool prepareDestination(const QString& folder);
    void setLines(const QString& source, const QString& target);

    QString sourceFolder;
    QStringList names;
    QLineEdit* destination;
    QLabel* sourceLine;
    QLabel* destinationLine;
    QProgressBar* progress;
    QPushButton* copyButton;
    QPushButton* cancelButton;
    QPushButton* closeButton;
    QString copiedTo;
    bool stop = false;
    bool copying = false;
};
