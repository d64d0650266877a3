#include "FileReferences.h"

#include "FileListing.h"
#include "Language.h"
#include "Prompts.h"

QString BrowserPictureTag(const QString& path) {
    return QStringLiteral("<IMG SRC=\"") + FileNameOnly(path) + QStringLiteral("\" Border=0>");
}

std::optional<QString> FileReference(const QString& path) {
    const QString name = FileNameOnly(path);
    if (IsPictureFile(name))
        return QStringLiteral("<img src=\"") + name + QStringLiteral("\" border=0>");
    const QString linkText = name.left(name.indexOf(QLatin1Char('.')));
    switch (CurrentPrompts().askYesNoCancel(LangText(QStringLiteral("Incl")))) {
    case YesNoCancel::Yes:
        return QStringLiteral("<!--#include file=\"") + name + QStringLiteral("\" -->");
    case YesNoCancel::No:
        return QStringLiteral("<a href=\"") + name + QStringLiteral("\">") + linkText +
               QStringLiteral("</a>");
    case YesNoCancel::Cancel:
        break;
    }
    return std::nullopt;
}
