#pragma once

#include "Prompts.h"

#include <QList>

#include <deque>
#include <functional>
#include <variant>

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
    using Answer = std::variant<bool, YesNoCancel, std::optional<QString>, QStringList,
                                std::optional<QColor>, DialogScript>;

    ScriptedPrompts();
    ~ScriptedPrompts() override;

    void answer(Answer next) { answers.push_back(std::move(next)); }
    void answerYes() { answer(true); }
    void answerNo() { answer(false); }

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
    template <typename T> std::optional<T> next();

    std::deque<Answer> answers;
};
