#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QDialog;

// The kinds of message box the program shows. The numbers are the kinds that
// callers pass to LangMessage.
enum class MessageKind { Error = 0, Confirm = 1, Information = 2 };

enum class YesNoCancel { Yes, No, Cancel };

// One entry of a file dialog's filter list: the label the user sees and the
// patterns it stands for, separated by ";" ("*.html;*.htm"). A trailing ";"
// is allowed and ignored.
struct FileFilter {
    QString label;
    QString patterns;
};

struct FileDialogRequest {
    QString caption;
    QString folder;            // where the dialog starts; empty: the dialog's own choice
    QString fileName;          // name shown in the name field when the dialog opens
    QList<FileFilter> filters; // in the order the user sees them
    QString defaultSuffix;     // without the dot; added when a typed name has no extension
    bool multiple = false;     // open dialog: several files may be chosen
};

// Every modal question the program asks goes through this interface, so that
// tests can answer from a script and no test ever waits on a modal window.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A message box of the given kind with the given text. Error and
    // Information show "OK" and return false; Confirm shows "&Yes" and "&No"
    // (Yes the default, Escape answers No) and returns true only for Yes.
    virtual bool message(MessageKind kind, const QString& text) = 0;

    // A question with "&Yes", "&No" and "Cancel".
    virtual YesNoCancel askYesNoCancel(const QString& text) = 0;

    // A one-line input prompt; nullopt when cancelled.
    virtual std::optional<QString> inputLine(const QString& caption, const QString& label,
                                             const QString& initial) = 0;

    // File open dialog; the chosen existing files in the dialog's order, empty
    // when cancelled.
    virtual QStringList openFiles(const FileDialogRequest& request) = 0;

    // File save dialog; the chosen path with the default suffix applied, or
    // nullopt when cancelled.
    std::optional<QString> saveFile(const FileDialogRequest& request);

    // The colour dialog; nullopt when cancelled.
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;

    // A folder chooser; nullopt when cancelled.
    virtual std::optional<QString> chooseDirectory(const QString& caption,
                                                   const QString& start) = 0;

    // The system's information sound.
    virtual void beep() = 0;

    // Shows one of the program's own modal windows and returns its result
    // (QDialog::Accepted or Rejected).
    virtual int runDialog(QDialog& dialog) = 0;

protected:
    // The path the user chose in a save dialog, before the default suffix.
    virtual std::optional<QString> chooseSaveFile(const FileDialogRequest& request) = 0;
};

// Adds "." + suffix to a chosen file name that has no extension of its own.
QString WithDefaultSuffix(const QString& path, const QString& suffix);

// The prompts in use: the Qt dialogs unless a test installed its own.
Prompts& CurrentPrompts();
// Installs prompts (not owned); nullptr restores the Qt dialogs.
void InstallPrompts(Prompts* prompts);
