#pragma once

#include "ObjectHtml.h"

#include <QDateTime>
#include <QDialog>

class QLineEdit;

// "Date / Time": the date and time of a given moment in the user's regional
// formats, both editable, and a choice of what to insert. The text to insert
// is taken when the dialog is made (both, joined by a blank) and again each
// time a choice is clicked; later edits to the fields are not taken.
class TfDT : public QDialog {
    Q_OBJECT
public:
    explicit TfDT(const QDateTime& now, QWidget* parent = nullptr);

    // The text taken at the last of those moments.
    QString KeptText() const { return kept; }

private:
    void take(DateTimeChoice choice);

    QLineEdit* date;
    QLineEdit* time;
    QString kept;
};
