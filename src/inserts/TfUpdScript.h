#pragma once

#include "TagCommands.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The last updated dialog: the sentence written before the date and the
// styles it is written in.
class TfUpdScript : public QDialog {
    Q_OBJECT
public:
    // language selects the sentence the text field starts with.
    explicit TfUpdScript(const QString& language, QWidget* parent = nullptr);

    LastUpdatedChoice Choice() const;

private:
    QLineEdit* text;
    QCheckBox* bold;
    QCheckBox* italic;
    QCheckBox* underline;
};

class EditorControl;

// The alert box: asks for the message, then puts the script into the
// document. Without a document the question is still asked.
void RunAlertBoxCommand(EditorControl* target);

// The last updated script: the dialog, then the script into the document.
void RunLastUpdatedCommand(EditorControl* target, const QString& language);
