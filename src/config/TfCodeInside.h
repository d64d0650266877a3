#pragma once

#include <QDialog>

class EditorControl;
class QLineEdit;

// "Insert new code inside object ...": the short code, comment and snippet
// of a new Code Inside entry. "Ok" closes the window; the page takes the
// entry however the window was closed.
class TfCodeInside : public QDialog {
    Q_OBJECT
public:
    explicit TfCodeInside(QWidget* parent = nullptr);

    QLineEdit* Key() const { return key; }
    QLineEdit* Comment() const { return comment; }
    EditorControl* Code() const { return code; }

private:
    QLineEdit* key;
    QLineEdit* comment;
    EditorControl* code;
};
