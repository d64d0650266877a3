#include "TagCommands.h"

#include "EditorControl.h"

namespace {

using R = InsertRule;

const TagCommand kCommands[] = {
    // Formatting toolbar and its shortcuts.
    {"Bold", R::WrapAndReselect, "<b>", "</b>"},
    {"Italic", R::WrapAndReselect, "<i>", "</i>"},
    {"Underline", R::WrapAndReselect, "<u>", "</u>"},
    {"Left", R::WrapAndReselect, "<div align=\"left\">", "</div>"},
    {"center", R::WrapAndReselect, "<center>", "</center>"},
    {"Right", R::WrapAndReselect, "<div align=\"right\">", "</div>"},
    {"ToolButton26", R::Put, "<br>", ""},
    // The paragraph alignment menu.
    {"AlignLeft1", R::Wrap, "<p align=\"left\">", "</p>"},
    {"AlignCenter1", R::Wrap, "<p align=\"center\">", "</p>"},
    {"AlignRight1", R::Wrap, "<p align=\"right\">", "</p>"},
    {"Justify1", R::Wrap, "<p style=\"text-align:justify;\">", "</p>"},
    // The heading menu.
    {"HeadingStyle11", R::Wrap, "<h1>", "</h1>"},
    {"HeadingStyle21", R::Wrap, "<h2>", "</h2>"},
    {"HeadingStyle31", R::Wrap, "<h3>", "</h3>"},
    {"HeadingStyle41", R::Wrap, "<h4>", "</h4>"},
    {"HeadingStyle51", R::Wrap, "<h5>", "</h5>"},
    {"HeadingStyle61", R::Wrap, "<h6>", "</h6>"},
    // A document's "Tags" menu.
    {"Bold2", R::WrapAndReselect, "<b>", "</b>"},
    {"Italic2", R::WrapAndReselect, "<i>", "</i>"},
    {"Underline2", R::WrapAndReselect, "<u>", "</u>"},
    {"Left2", R::WrapAndReselect, "<div align=\"left\">", "</div>"},
    {"Center2", R::WrapAndReselect, "<center>", "</center>"},
    {"Right2", R::WrapAndReselect, "<div align=\"right\">", "</div>"},
    {"ImageTag1", R::Put, "<img></img>", ""},
    {"Insertalinebreak1", R::Put, "<br>", ""},
    {"Insertahorizontaleline1", R::Put, "<hr>", ""},
    {"Commenttext1", R::WrapAndReselect, "<!-- ", " -->"},
};

const QString kEnglishSentence = QStringLiteral("This page is last updated on");
const QString kDutchSentence = QStringLiteral("Deze pagina is het laatst bijgewerkt op");

} // namespace

std::span<const TagCommand> TagCommands() {
    return kCommands;
}

const TagCommand* FindTagCommand(const QString& name) {
    for (const TagCommand& command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

void WrapAndReselect(EditorControl& editor, const QString& opening, const QString& closing) {
    const int length = editor.SelectionEnd() - editor.SelectionStart();
    editor.ReplaceSelection(opening + editor.SelectedText() + closing);
    SelectBeforeCaret(editor, int(closing.size()), length);
    editor.setFocus();
}

void SelectBeforeCaret(EditorControl& editor, int skip, int length) {
    const int end = editor.SelectionStart() - skip;
    editor.SetSelectionStart(end - length);
    editor.SetSelectionEnd(end);
}

void Wrap(EditorControl& editor, const QString& opening, const QString& closing) {
    editor.ReplaceSelection(opening + editor.SelectedText() + closing);
}

void Put(EditorControl& editor, const QString& text) {
    editor.ReplaceSelection(text);
}

void ApplyTagCommand(EditorControl& editor, const TagCommand& command) {
    const QString opening = QString::fromUtf8(command.opening);
    const QString closing = QString::fromUtf8(command.closing);
    switch (command.rule) {
    case InsertRule::WrapAndReselect:
        WrapAndReselect(editor, opening, closing);
        break;
    case InsertRule::Wrap:
        Wrap(editor, opening, closing);
        break;
    case InsertRule::Put:
        Put(editor, opening);
        break;
    }
}

QString ScriptText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

QStringList AlertBoxScript(const QString& message) {
    return {QStringLiteral("<script language=\"javascript\">"),
            QStringLiteral("  alert(\"") + message + QStringLiteral("\");"),
            QStringLiteral("</script>")};
}

QString LastUpdatedSentence(const QString& language) {
    if (language == QLatin1String("Eng"))
        return kEnglishSentence;
    if (language == QLatin1String("NL"))
        return kDutchSentence;
    return kEnglishSentence + QLatin1Char(' ');
}

QStringList LastUpdatedScript(const LastUpdatedChoice& choice, const QString& language) {
    // The closing tags follow the opening ones in the same order.
    QString opening;
    QString closing;
    const std::pair<bool, const char*> styles[] = {
        {choice.bold, "b"}, {choice.italic, "i"}, {choice.underline, "u"}};
    for (const auto& [ticked, tag] : styles) {
        if (ticked) {
            opening += QStringLiteral("<%1>").arg(QLatin1String(tag));
            closing += QStringLiteral("</%1>").arg(QLatin1String(tag));
        }
    }
    QStringList lines = {
        QStringLiteral("<script language=\"JavaScript\">"),
        QStringLiteral("function lastModified() {"),
        QStringLiteral("  var modiDate=new Date(document.lastModified)"),
        QStringLiteral("  var showAs=modiDate.getDate()+\"/\" + (modiDate.getMonth()+1)"),
        QStringLiteral("  showAs+=\"/\"+modiDate.getYear()"),
        QStringLiteral("  return showAs }"),
        QString()};
    const bool english = language == QLatin1String("Eng");
    if (english || language == QLatin1String("NL")) {
        const QString sentence = !choice.sentence.isEmpty() ? choice.sentence + QLatin1Char(' ')
                                 : english                  ? kEnglishSentence + QLatin1Char(' ')
                                                            : kDutchSentence + QLatin1Char(' ');
        lines << QStringLiteral("  document.write (\"") + opening + sentence +
                     QStringLiteral("\");");
    }
    lines << QStringLiteral("  document.write (lastModified() + \".") + closing +
                 QStringLiteral("\");")
          << QStringLiteral("</script>");
    return lines;
}
