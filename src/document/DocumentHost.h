#pragma once

#include <QKeyCombination>
#include <QString>

class QAction;
class TabStrip;

// What a document window needs of the main window around it.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // The caption the next document tab takes.
    virtual QString PendingTabCaption() const = 0;
    virtual TabStrip* Tabs() const = 0;
    // 49 high when the tab strip is wider than the file tabs bar, 29 when narrower.
    virtual void ApplyTabsBarHeightRule() = 0;
    virtual void SetSaveButtonEnabled(bool enabled) = 0;
    virtual bool PreviewActive() const = 0;
    virtual void CloseActivePreview() = 0;
    virtual void HideImageBrowser() = 0;
    virtual void RunPreview() = 0;
    // The folder of settings.ini and the snippet library (ProgramPlaces).
    virtual QString ConfigFolder() const = 0;
    // A command of the main window by name ("Copy1", "Table" ...).
    virtual QAction* HostAction(const QString& name) const = 0;
    // Whether a key is the shortcut of one of the main window's commands.
    virtual bool ClaimsKey(QKeyCombination keys) const = 0;
};
