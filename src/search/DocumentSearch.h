#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class EditorControl;
class QString;
class TChildForm;
class TConfirmReplaceDialog;
struct TextPosition;
enum class ReplaceAnswer;

// Searching in one document window: the window's continue-from-caret switch
// and its answer to the editor's replace question. Attached to the window
// the first time a search runs in it.
class DocumentSearch : public QObject {
    Q_OBJECT
public:
    static DocumentSearch& Of(TChildForm& document);
    ~DocumentSearch() override;

    // Off in a new window: its first search covers the whole text.
    bool ContinueFromCaret() const { return continueFromCaret; }
    void SetContinueFromCaret(bool on) { continueFromCaret = on; }

    // A search (or replace) with the remembered text and options. When
    // nothing is found: the information beep, "Search Complete !", and the
    // selection collapsed to its end (to its start going backwards). A
    // regular expression that takes too long stops with a message.
    void Run(bool replace, bool backwards);

private:
    explicit DocumentSearch(TChildForm& document);
    ReplaceAnswer answer(const QString& search, const QString& replace, const TextPosition& at);

    TChildForm& document;
    QPointer<EditorControl> editor;
    // The confirmation window, for the length of one replace run.
    std::unique_ptr<TConfirmReplaceDialog> confirm;
    bool continueFromCaret = false;
};
