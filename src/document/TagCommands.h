#pragma once

#include <QStringList>

#include <span>

class EditorControl;

// How a tag command puts its text into the document.
enum class InsertRule {
    // Opening tag + selection + closing tag; the same text selected again inside the tags.
    WrapAndReselect,
    // Opening tag + selection + closing tag; the caret after it, nothing selected.
    Wrap,
    // A fixed text in place of the selection.
    Put,
};

struct TagCommand {
    const char* name; // the command's action
    InsertRule rule;
    const char* opening; // or the fixed text
    const char* closing;
};

// The one-step tag commands by their action names: the formatting toolbar's
// "Bold", "Italic", "Underline", "Left", "center", "Right"; the paragraph
// alignment and heading menus' entries; the line break button; and the
// entries of a document's "Tags" menu.
std::span<const TagCommand> TagCommands();
const TagCommand* FindTagCommand(const QString& name);

// Applies a tag command to an editor, as one undoable step.
void ApplyTagCommand(EditorControl& editor, const TagCommand& command);
void WrapAndReselect(EditorControl& editor, const QString& opening, const QString& closing);
// After an insert, which leaves the caret right behind the inserted text:
// selects `length` characters that end `skip` characters before the caret.
// Counting back from the caret stays right where the insert began in the
// blank space past the end of a line, which the insert first fills.
void SelectBeforeCaret(EditorControl& editor, int skip, int length);
void Wrap(EditorControl& editor, const QString& opening, const QString& closing);
void Put(EditorControl& editor, const QString& text);

// Lines as a script insert puts them: each line, the last one too, followed
// by CR LF.
QString ScriptText(const QStringList& lines);

// The alert box script for a message, inserted as typed.
QStringList AlertBoxScript(const QString& message);

// The last updated script. language is the interface language value ("Eng",
// "NL", or anything else, which leaves out the sentence line).
struct LastUpdatedChoice {
    QString sentence;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};
QStringList LastUpdatedScript(const LastUpdatedChoice& choice, const QString& language);

// The sentence the last updated dialog starts with in a language.
QString LastUpdatedSentence(const QString& language);
