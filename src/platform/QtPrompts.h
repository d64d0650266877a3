#pragma once

#include "Prompts.h"

// The prompts as the user sees them: Qt's message boxes and standard dialogs.
class QtPrompts : public Prompts {
public:
    bool message(MessageKind kind, const QString& text) override;
    YesNoCancel askYesNoCancel(const QString& text) override;
    std::optional<QString> inputLine(const QString& caption, const QString& label,
                                     const QString& initial) override;
    QStringList openFiles(const FileDialogRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<QString> chooseDirectory(const QString& caption, const QString& start) override;
    void beep() override;
    int runDialog(QDialog& dialog) override;

protected:
    std::optional<QString> chooseSaveFile(const FileDialogRequest& request) override;
};

// The filter list of a file dialog in Qt's form: one "label (*.a *.b)" entry per
// filter, in order.
QStringList QtNameFilters(const QList<FileFilter>& filters);

// Catalog texts break lines with LF CR; a message box shows them as plain
// line breaks.
QString DisplayText(const QString& text);

// Closes every splash screen on show: it would stay above a question.
void CloseSplashScreens();
