#include "MainMenus.h"

#include "Pictures.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

struct Entry {
    const char* name; // nullptr: a separator
    const char* caption;
    const char* shortcut = "";
    const char* hint = "";
};

constexpr Entry kSeparator{nullptr, nullptr};

class Builder {
public:
    Builder(QMainWindow& window) : window(window) {}

    QAction* action(const Entry& entry) {
        auto* action = new QAction(QString::fromUtf8(entry.caption), &window);
        action->setObjectName(QString::fromLatin1(entry.name));
        if (*entry.shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (*entry.hint)
            action->setToolTip(QString::fromUtf8(entry.hint));
        actions.insert(action->objectName(), action);
        return action;
    }

    void fill(QMenu& menu, std::initializer_list<Entry> entries) {
        for (const Entry& entry : entries) {
            if (!entry.name)
                menu.addSeparator();
            else
                menu.addAction(action(entry));
        }
    }

    QMenu* menu(QWidget& parent, const char* name, const char* caption) {
        auto* menu = new QMenu(QString::fromUtf8(caption), &parent);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    }

    QMenu* topMenu(const char* name, const char* caption, std::initializer_list<Entry> entries) {
        QMenu* top = menu(*window.menuBar(), name, caption);
        fill(*top, entries);
        window.menuBar()->addMenu(top);
        return top;
    }

    // Toolbar buttons are actions of their own, so that each carries its own
    // hint and enabled state; the window connects them to their commands.
    void buttons(QToolBar& bar, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (!name) {
                bar.addSeparator();
                continue;
            }
            QAction* button = action(Entry{name, ""});
            button->setIcon(ToolbarIcon(QString::fromLatin1(name)));
            bar.addAction(button);
        }
    }

    // Named commands that live in no menu of the window but whose shortcuts
    // belong to it.
    void windowCommands(std::initializer_list<Entry> entries) {
        for (const Entry& entry : entries)
            window.addAction(action(entry));
    }

    QMainWindow& window;
    QHash<QString, QAction*> actions;
};

void BuildMenuBar(Builder& b) {
    QMenu* file =
        b.topMenu("File1", "&File", {{"New1", "&New", "Ctrl+N"}, {"Open1", "&Open ...", "Ctrl+O"}});
    // The recently opened files; the window fills this menu.
    file->addMenu(b.menu(*file, "Reopen1", "&Reopen"));
    b.fill(*file, {{"Save2", "Save", "Ctrl+S"},
                   {"Save1", "Save As ..."},
                   {"Close1", "Close", "Ctrl+W"},
                   {"CloseAll1", "Close All", "Ctrl+Alt+F4"},
                   kSeparator});
    QMenu* import = b.menu(*file, "ImportRTFDocument1", "Import ...");
    b.fill(*import, {{"rtfdocuments1", "*.rtf   documents", "F6",
                      "Imports a *.rtf document and it will be converted to html"},
                     {"docdocuments1", "*.doc documents", "F7",
                      "For this option you need to have word installed ont o your system !"}});
    file->addMenu(import);
    QMenu* exportMenu = b.menu(*file, "Export1", "Export ...");
    b.fill(*exportMenu, {{"Documenttortf1", "Document to *.rtf"}});
    file->addMenu(exportMenu);
    // The program has no print command; the entry exists only to carry its
    // catalog caption.
    b.fill(*file, {{"Print1", "Print"}, kSeparator, {"Exit1", "&Exit"}});
    b.actions.value(QStringLiteral("Print1"))->setVisible(false);

    b.topMenu("Edit1", "&Edit",
              {{"Cut1", "Cut", "Ctrl+X"},
               {"Copy1", "Copy", "Ctrl+C"},
               {"Paste1", "Paste", "Ctrl+V"},
               kSeparator,
               {"Undo1", "Undo", "Ctrl+Z"},
               {"Redo1", "Redo", "Ctrl+Alt+Z"},
               kSeparator,
               {"SelectAll1", "Select All", "Ctrl+A"},
               {"Wordwrap1", "Wordwrap"}});
    b.topMenu("Search1", "Search",
              {{"Searchfortext1", "Search ...", "Ctrl+F"},
               {"FindNext1", "Search and Replace", "Ctrl+R"},
               {"FindNext2", "Find Next ...", "F3"},
               {"FindPrevious1", "Find Previous ...", "F2"},
               kSeparator,
               {"SearchInFiles1", "Search in Files ...", "Ctrl+Shift+F"},
               {"ReplaceInFiles1", "Replace in Files ...", "Ctrl+Shift+H"},
               {"NextResult1", "Next Result", "F4"},
               {"PreviousResult1", "Previous Result", "Shift+F4"},
               kSeparator,
               {"GotoLine1", "Goto Line ...", "Ctrl+G"}});
    b.topMenu("Tools1", "&Options and Toolbars",
              {{"ImageBrowser1", "Image Browser", "F8"},
               {"Previewsite1", "Preview ...", "F9"},
               {"LoadBrowser1", "Preview in webbrowser", "F12"},
               {"CheckPage1", "Check Page", "Ctrl+Shift+K"},
               kSeparator,
               {"Options1", "Configuration Screen", "Ctrl+Alt+C"},
               {"FTPProgram1", "FTP Program", "F10"},
               kSeparator,
               {"ColorBar1", "Color Bar"},
               {"FileManager1", "File Manager", "F11"},
               {"FileTabs1", "File Tabs"},
               {"ImageViewer1", "Image Viewer"}});
    b.topMenu("Window1", "&Window",
              {{"ArrangeIcons1", "&Arrange Icons"},
               {"Cascade1", "&Cascade"},
               {"MinimizeAll1", "&Minimize All"},
               {"TileVertical1", "Tile &Vertical"},
               {"TileHorizontal1", "Tile &Horizontal"}});
    b.topMenu("Info1", "Info",
              {{"Help1", "Help", "F1"},
               kSeparator,
               {"CheckForUpdates1", "Check for updates"},
               {"About1", "About"}});
}

void BuildToolbars(Builder& b, QToolBar& upper, QToolBar& lower) {
    b.buttons(upper,
              {"ToolButton1",  "ToolButton2",  "ToolButton3",  "ToolButton4",  nullptr,
               "ToolButton6",  "ToolButton7",  "ToolButton9",  nullptr,        "ToolButton21",
               "ToolButton22", nullptr,        "ToolButton23", "ToolButton14", "ToolButton12",
               nullptr,        "ToolButton13", "ToolButton29", "ToolButton15", nullptr,
               "ToolButton20"});
    b.buttons(lower,
              {"ToolButton46", "ToolButton47", "ToolButton48", nullptr,        "ToolButton60",
               nullptr,        "ToolButton55", "ToolButton56", "ToolButton57", nullptr,
               "ToolButton50", "ToolButton51", nullptr,        "ToolButton53", "ToolButton25",
               nullptr,        "ToolButton26", "ToolButton27", nullptr,        "ToolButton59",
               nullptr,        "ToolButton30", "ToolButton32", "ToolButton31"});

    // The paragraph alignment and heading buttons drop their menus down.
    QMenu* alignment = b.menu(lower, "ParagraphAlignment", "");
    b.fill(*alignment, {{"AlignLeft1", "Align Left"},
                        {"AlignCenter1", "Align Center"},
                        {"AlignRight1", "Align Right"},
                        kSeparator,
                        {"Justify1", "Justify"}});
    QMenu* headings = b.menu(lower, "HeadingStyles", "");
    b.fill(*headings, {{"HeadingStyle11", "Heading Style 1"},
                       {"HeadingStyle21", "Heading Style 2"},
                       {"HeadingStyle31", "Heading Style 3"},
                       {"HeadingStyle41", "Heading Style 4"},
                       {"HeadingStyle51", "Heading Style 5"},
                       {"HeadingStyle61", "Heading Style 6"}});
    const std::pair<const char*, QMenu*> dropDowns[] = {{"ToolButton53", alignment},
                                                        {"ToolButton25", headings}};
    for (const auto& [name, menu] : dropDowns) {
        QAction* button = b.actions.value(QString::fromLatin1(name));
        button->setMenu(menu);
        if (auto* widget = qobject_cast<QToolButton*>(lower.widgetForAction(button)))
            widget->setPopupMode(QToolButton::InstantPopup);
    }
}

} // namespace

QHash<QString, QAction*> BuildMainMenus(QMainWindow& window, QToolBar& upper, QToolBar& lower) {
    Builder b(window);
    BuildMenuBar(b);
    BuildToolbars(b, upper, lower);
    // Formatting commands: their shortcuts work wherever the focus is in the
    // window; the toolbar buttons and the documents' pop-up menus use them.
    b.windowCommands({{"Bold", "Bold", "Ctrl+B"},
                      {"Italic", "Italic", "Ctrl+I"},
                      {"Underline", "Underline", "Ctrl+U"},
                      {"Left", "Left", "Ctrl+Alt+L"},
                      {"center", "Center", "Ctrl+F1"},
                      {"Right", "Right", "Ctrl+Alt+R"},
                      {"Table", "Table", "Ctrl+T"}});
    return b.actions;
}
