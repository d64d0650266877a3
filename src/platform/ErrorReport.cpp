#include "ErrorReport.h"

#include "Prompts.h"

void ReportError(const QString& text) {
    CurrentPrompts().message(MessageKind::Error, text);
}
