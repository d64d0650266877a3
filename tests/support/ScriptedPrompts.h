#pragma once

#include "Prompts.h"

#include <QList>

#include <deque>
#include <functional>

// Prompts for tests: every question is recorded, and questions that need an
// answer take the next one from a queue. A question without a suitable
// answer in the queue is recorded as unanswered and gets the cancelling
// answer (No, Cancel, nothing chosen).
class ScriptedPrompts : public Prompts {
public:
    struct Question {
        QString kind; // "Error", "Confirm", "Information", "YesNoCancel", "Input",
                      // "Open", "Save", "Color", "Directory", "Dialog"
        QString text; // message text, prompt label, dialog caption or window title
        QString caption;
        FileDialogRequest files;
    };

    using DialogScript = std::function<int(QDialog&)>;

    ScriptedPrompts();
    ~ScriptedPrompts() override;

    void answerYes() { push(Kind::Confirm).yes = true; }
    void answerNo() { push(Kind::Confirm).yes = false; }
    void answer(YesNoCancel choice) { push(Kind::YesNoCancel).choice = choice; }
    void answer(const std::optional<QString>& text) { push(Kind::Text).text = text; }
    void answer(const QStringList& files) { push(Kind::Files).files = files; }
    void answer(const std::optional<QColor>& color) { push(Kind::Color).color = color; }
    void answer(const DialogScript& script) { push(Kind::Dialog).dialog = script; }

    QList<Question> asked;
    int unanswered = 0;
    int beeps = 0;
    bool queueEmpty() const { return answers.empty(); }
    QStringList askedTexts() const;

    bool message(MessageKind kind, const QString& text) override;
    YesNoCancel askYesNoCancel(const QString& text) override;
    std::optional<QString> inputLine(const QString& caption, const QString& label,
                                     const QString& initial) override;
    QStringList openFiles(const FileDialogRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<QString> chooseDirectory(const QString& caption, const QString& start) override;
    void beep() override { ++beeps; }
    int runDialog(QDialog& dialog) override;

protected:
    std::optional<QString> chooseSaveFile(const FileDialogRequest& request) override;

private:
    enum class Kind { Confirm, YesNoCancel, Text, Files, Color, Dialog };
    struct Answer {
        Kind kind = Kind::Confirm;
        bool yes = false;
        YesNoCancel choice = YesNoCancel::Cancel;
        std::optional<QString> text;
        QStringList files;
        std::optional<QColor> color;
        DialogScript dialog;
    };
    Answer& push(Kind kind) {
        answers.push_back(Answer());
        answers.back().kind = kind;
        return answers.back();
    }
    // The next answer when it is of the kind asked for, else nullopt (and the
    // question counts as unanswered).
    std::optional<Answer> next(Kind kind);

    std::deque<Answer> answers;
};
