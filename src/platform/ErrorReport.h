#pragma once

#include <QString>

#include <exception>
#include <stdexcept>
#include <utility>

// An error whose text is meant for the user.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// The program's default error report: one error box with the error's text.
void ReportError(const QString& text);

// Runs one user command. An exception that escapes it ends the command and is
// reported in an error box; the program goes on.
template <typename Command> void RunReported(Command&& command) {
    try {
        std::forward<Command>(command)();
    } catch (const std::exception& error) {
        ReportError(QString::fromStdString(error.what()));
    }
}

// Runs a step whose failures are deliberately ignored.
template <typename Step> void RunSilently(Step&& step) {
    try {
        std::forward<Step>(step)();
    } catch (const std::exception&) {
    }
}
