#include "ApplyLanguage.h"

#include "LangCatalog.h"
#include "Language.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QWidget>

namespace {

QObject* FindByPath(QObject* root, const QString& path) {
    QObject* found = root;
    for (const QString& name : path.split(QLatin1Char('/'))) {
        found = found->findChild<QObject*>(name);
        if (!found)
            return nullptr;
    }
    return found;
}

void SetHint(QObject* target, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(target))
        action->setToolTip(text);
    else if (auto* widget = qobject_cast<QWidget*>(target))
        widget->setToolTip(text);
}

void SetCaption(QObject* target, const QString& text) {
    if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else
        target->setProperty("text", text);
}

} // namespace

void ApplyLanguage(QObject* root) {
    if (!root)
        return;
    for (const LanguageTarget& target : ApplyLanguageTargets()) {
        QObject* object = FindByPath(root, QString::fromUtf16(target.objectPath));
        if (!object)
            continue;
        const QString text = LangText(QString::fromUtf16(target.key));
        switch (target.property) {
        case TargetProperty::Hint:
            SetHint(object, text);
            break;
        case TargetProperty::Caption:
            SetCaption(object, text);
            break;
        case TargetProperty::PanelText:
            // Status bars that take a text here offer it as "panelText".
            object->setProperty("panelText", text);
            break;
        }
    }
}
