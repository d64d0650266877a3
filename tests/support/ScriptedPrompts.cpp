#include "ScriptedPrompts.h"

#include <QDialog>

ScriptedPrompts::ScriptedPrompts() { InstallPrompts(this); }

ScriptedPrompts::~ScriptedPrompts() { InstallPrompts(nullptr); }

QStringList ScriptedPrompts::askedTexts() const {
    QStringList texts;
    for (const Question& question : asked)
        texts << question.text;
    return texts;
}

template <typename T> std::optional<T> ScriptedPrompts::next() {
    if (!answers.empty() && std::holds_alternative<T>(answers.front())) {
        T value = std::get<T>(answers.front());
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
    return next<bool>().value_or(false);
}

YesNoCancel ScriptedPrompts::askYesNoCancel(const QString& text) {
    asked.append({QStringLiteral("YesNoCancel"), text, {}, {}});
    return next<YesNoCancel>().value_or(YesNoCancel::Cancel);
}

std::optional<QString> ScriptedPrompts::inputLine(const QString& caption, const QString& label,
                                                  const QString&) {
    asked.append({QStringLiteral("Input"), label, caption, {}});
    return next<std::optional<QString>>().value_or(std::nullopt);
}

QStringList ScriptedPrompts::openFiles(const FileDialogRequest& request) {
    asked.append({QStringLiteral("Open"), request.caption, request.caption, request});
    return next<QStringList>().value_or(QStringList());
}

std::optional<QString> ScriptedPrompts::chooseSaveFile(const FileDialogRequest& request) {
    asked.append({QStringLiteral("Save"), request.caption, request.caption, request});
    return next<std::optional<QString>>().value_or(std::nullopt);
}

std::optional<QColor> ScriptedPrompts::chooseColor(const QColor&) {
    asked.append({QStringLiteral("Color"), {}, {}, {}});
    return next<std::optional<QColor>>().value_or(std::nullopt);
}

std::optional<QString> ScriptedPrompts::chooseDirectory(const QString& caption, const QString&) {
    asked.append({QStringLiteral("Directory"), caption, caption, {}});
    return next<std::optional<QString>>().value_or(std::nullopt);
}

int ScriptedPrompts::runDialog(QDialog& dialog) {
    asked.append({QStringLiteral("Dialog"), dialog.windowTitle(), dialog.windowTitle(), {}});
    const auto script = next<DialogScript>();
    if (!script)
        return QDialog::Rejected;
    return (*script)(dialog);
}
