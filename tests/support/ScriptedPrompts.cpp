#include "ScriptedPrompts.h"

#include <QDialog>

ScriptedPrompts::ScriptedPrompts() {
    InstallPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts() {
    InstallPrompts(nullptr);
}

QStringList ScriptedPrompts::askedTexts() const {
    QStringList texts;
    for (const Question& question : asked)
        texts << question.text;
    return texts;
}

std::optional<ScriptedPrompts::Answer> ScriptedPrompts::next(Kind kind) {
    if (!answers.empty() && answers.front().kind == kind) {
        Answer value = answers.front();
        answers.pop_front();
        return value;
    }
    ++unanswered;
    return std::nullopt;
}

bool ScriptedPrompts::message(MessageKind kind, const QString& text) {
    static const char* const kinds[] = {"Error", "Confirm", "Information"};
    asked.append({QString::fromLatin1(kinds[int(kind)]), text, {}, {}});
    if (kind != MessageKind::Confirm)
        return false;
    const auto reply = next(Kind::Confirm);
    return reply && reply->yes;
}

YesNoCancel ScriptedPrompts::askYesNoCancel(const QString& text) {
    asked.append({QStringLiteral("YesNoCancel"), text, {}, {}});
    const auto reply = next(Kind::YesNoCancel);
    return reply ? reply->choice : YesNoCancel::Cancel;
}

std::optional<QString> ScriptedPrompts::inputLine(const QString& caption, const QString& label,
                                                  const QString&) {
    asked.append({QStringLiteral("Input"), label, caption, {}});
    const auto reply = next(Kind::Text);
    return reply ? reply->text : std::nullopt;
}

QStringList ScriptedPrompts::openFiles(const FileDialogRequest& request) {
    asked.append({QStringLiteral("Open"), request.caption, request.caption, request});
    const auto reply = next(Kind::Files);
    return reply ? reply->files : QStringList();
}

std::optional<QString> ScriptedPrompts::chooseSaveFile(const FileDialogRequest& request) {
    asked.append({QStringLiteral("Save"), request.caption, request.caption, request});
    const auto reply = next(Kind::Text);
    return reply ? reply->text : std::nullopt;
}

std::optional<QColor> ScriptedPrompts::chooseColor(const QColor&) {
    asked.append({QStringLiteral("Color"), {}, {}, {}});
    const auto reply = next(Kind::Color);
    return reply ? reply->color : std::nullopt;
}

std::optional<QString> ScriptedPrompts::chooseDirectory(const QString& caption, const QString&) {
    asked.append({QStringLiteral("Directory"), caption, caption, {}});
    const auto reply = next(Kind::Text);
    return reply ? reply->text : std::nullopt;
}

int ScriptedPrompts::runDialog(QDialog& dialog) {
    asked.append({QStringLiteral("Dialog"), dialog.windowTitle(), dialog.windowTitle(), {}});
    const auto reply = next(Kind::Dialog);
    if (!reply || !reply->dialog)
        return QDialog::Rejected;
    return reply->dialog(dialog);
}
