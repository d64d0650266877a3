#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// "Confirm delete ...": the files about to be deleted, one path a line.
// "Ok" asks once more and accepts only on Yes; "Cancel" and the frame's
// close button reject.
class TfConfdel : public QDialog {
    Q_OBJECT
public:
    explicit TfConfdel(const QStringList& paths, QWidget* parent = nullptr);
    void OkClick();
};

// "Create New Folder": a name typed by the user becomes a folder inside the
// given one. A name that cannot become a folder is reported and stays typed.
class TfFolder : public QDialog {
    Q_OBJECT
public:
    explicit TfFolder(const QString& parentFolder, QWidget* parent = nullptr);
    // The folder made by "Create", empty until then.
    QString CreatedFolder() const { return created; }
    void CreateClick();

private:
    QString parentFolder;
    QString created;
    QLineEdit* edit;
};
