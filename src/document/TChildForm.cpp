#include "TChildForm.h"

#include "ClosingTags.h"
#include "ColorMarks.h"
#include "DiskWatch.h"
#include "DocumentHost.h"
#include "DocumentTabs.h"
#include "EditorControl.h"
#include "ErrorReport.h"
#include "Language.h"
#include "MatchingTags.h"
#include "Prompts.h"
#include "RecoveryStore.h"
#include "SettingDefaults.h"
#include "SettingsStore.h"
#include "SnapshotSchedule.h"
#include "SnippetExpander.h"
#include "SnippetLibrary.h"
#include "StatusPanels.h"
#include "SystemColors.h"
#include "TagCommands.h"
#include "WordWrap.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QSet>
#include <QVBoxLayout>

namespace {

const QString kInsert = QStringLiteral("Insert");
const QString kOverwrite = QStringLiteral("Overwrite");
const QString kModified = QStringLiteral("Modified");

QString S(const char* text) {
    return QString::fromLatin1(text);
}

qsizetype LastSeparator(const QString& caption) {
    return qMax(caption.lastIndexOf(QLatin1Char('/')), caption.lastIndexOf(QLatin1Char('\\')));
}

// A pop-up entry: its design caption, its name and its shortcut.
struct PopupEntry {
    const char* name; // nullptr: a separator
    const char* caption;
    const char* shortcut = "";
};

} // namespace

QString CaptionFileName(const QString& caption) {
    return caption.mid(LastSeparator(caption) + 1);
}

bool CaptionHasFile(const QString& caption) {
    return CaptionFileName(caption).contains(QLatin1Char('.'));
}

TChildForm::TChildForm(DocumentHost& host, QWidget* parent)
    : MdiChildWindow(parent), host(host), editor(new EditorControl(this)),
      statusBar(new StatusPanels({100, 50, 60, 50}, this)), disk(new DiskWatch(this)) {
    setObjectName(QStringLiteral("ChildForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(editor, 1);
    layout->addWidget(statusBar);
    setFocusProxy(editor);

    // The hidden word-wrapping box starts in the window's interface font.
    wrapFontFamily = QStringLiteral("Verdana");
    statusBar->SetPanelText(2, kInsert);
    modified = false;
    applyCreationSettings();
    buildPopupMenu();

    connect(editor, &EditorControl::changed, this, &TChildForm::onEdit);
    connect(editor, &EditorControl::statusChanged, this,
            [this](StatusChanges changes) { onStatus(changes.toInt()); });
    connect(editor, &EditorControl::keyDown, this, [this](int key, Qt::KeyboardModifiers) {
        RunReported([this, key] { onKeyDown(key); });
    });
    connect(editor, &EditorControl::contextMenuRequested, this,
            [this](const QPoint& position) { popup->popup(position); });
    // The pop-up menu's shortcuts work while this window's editor has the
    // focus, and come before every other use of the key (the menu bar's
    // Alt+F among them).
    editor->SetDocumentShortcuts([this](QKeyCombination keys) -> QAction* {
        // A key the window takes while it is in use there (stepping through
        // the results panel) is not the pop-up menu's.
        if (this->host.ClaimsKey(keys))
            return nullptr;
        const QKeySequence sequence(keys);
        for (QAction* action : std::as_const(popupShortcuts)) {
            if (action->shortcut() == sequence)
                return action;
        }
        return nullptr;
    });
    editor->SetKeyClaimedElsewhere(
        [this](QKeyCombination keys) { return this->host.ClaimsKey(keys); });
    connect(disk, &DiskWatch::touched, this, &TChildForm::refreshTitle);
}

TChildForm::~TChildForm() {
    delete tab;
}

void TChildForm::applyCreationSettings() {
    SettingsStore& settings = Settings();
    const auto number = [&](const char* section, const char* key, qint32 fallback) {
        return settings.ReadNumber(S(section), S(key), fallback);
    };
    const auto flag = [&](const char* section, const char* key, bool fallback) {
        return settings.ReadFlag(S(section), S(key), fallback);
    };
    editor->SetBackgroundColor(
        ColorFromNumber(number("EditWindow", "BGCol", ColorNumber(editor->BackgroundColor()))));
    using namespace SettingDefaults;
    editor->SetGutterVisible(flag("Gutter", "Vis", kGutterVisible));
    editor->SetLineNumbers(flag("LN", "Enabled", kLineNumbers));
    const QString fontName = settings.ReadText(S("Font"), S("Style"), S(kEditorFont));
    editor->SetEditorFont(fontName, number("Font", "Size", kEditorFontSize));
    editor->SetTabWidth(number("BlockIndent", "Width", kBlockIndent));
    editor->SetRightEdgeColor(flag("Margin", "Enabled", kMargin) ? QColor(192, 192, 192)
                                                                 : QColor(Qt::white));
    editor->SetRightEdge(number("Margin", "Right", kMarginRight));
    editor->SetHighlighter(flag("SHigh", "Enabled", kHighlighting) ? Highlighter::Html
                                                                   : Highlighter::None);
    editor->SetOption(EditorOption::ShowScrollHint, flag("Scrollhint", "Enabled", kScrollHint));
    editor->SetOption(EditorOption::AutoIndent, flag("Autoindent", "Enabled", kAutoIndent));
    editor->SetGutterLeftOffset(number("Gutter", "Width", kGutterWidth));
    if (flag("CloseTags", "Enabled", kCloseTags))
        editor->AddBehaviour(std::make_unique<ClosingTags>(*editor));
    if (flag("MatchTags", "Enabled", kMatchTags))
        editor->AddBehaviour(std::make_unique<MatchingTags>(*editor));
    if (flag("ColorSwatches", "Enabled", kColorSwatches))
        editor->AddBehaviour(std::make_unique<ColorMarks>(*editor, [this] {
            return CaptionFileName(Caption()).endsWith(QLatin1String(".css"), Qt::CaseInsensitive);
        }));
    if (flag("Use", "CodeInside", kCodeInside))
        attachSnippets();
    if (flag("Recovery", "Keep", kKeepForRecovery))
        schedule = static_cast<SnapshotSchedule*>(editor->AddBehaviour(
            std::make_unique<SnapshotSchedule>(*editor, [this] { emit snapshotDue(); })));
}

void TChildForm::attachSnippets() {
    SnippetLibrary snippets;
    const QString path = SnippetLibrary::FilePath(host.ConfigFolder());
    // A missing library is reported once per run, not at every new document.
    static QSet<QString> reported;
    if (!snippets.Load(path) && !reported.contains(path)) {
        reported.insert(path);
        ReportError(QStringLiteral("Cannot open file ") + path);
    }
    editor->AddBehaviour(std::make_unique<SnippetExpander>(*editor, std::move(snippets)));
}

void TChildForm::ApplyFontSettings() {
    SettingsStore& settings = Settings();
    const QString name = settings.ReadText(S("Font"), S("Style"), editor->FontName());
    const int size = settings.ReadNumber(S("Font"), S("Size"), editor->FontSize());
    const qint32 color =
        settings.ReadNumber(S("Font"), S("Color"), ColorNumber(editor->FontColor()));
    editor->SetEditorFont(name, size);
    editor->SetFontColor(ColorFromNumber(color));
}

void TChildForm::buildPopupMenu() {
    popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("PopupMenu1"));
    const auto add = [this](QMenu* menu, std::initializer_list<PopupEntry> entries) {
        for (const PopupEntry& entry : entries) {
            if (!entry.name) {
                menu->addSeparator();
                continue;
            }
            auto* action = new QAction(QString::fromLatin1(entry.caption), this);
            action->setObjectName(QString::fromLatin1(entry.name));
            if (*entry.shortcut) {
                // Shown in the menu; the editor runs it (see the constructor).
                action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
                action->setShortcutContext(Qt::WidgetShortcut);
                popupShortcuts << action;
            }
            menu->addAction(action);
        }
    };
    const auto submenu = [this](const char* name, const char* caption) {
        QMenu* menu = popup->addMenu(QString::fromLatin1(caption));
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };

    for (const char* name : {"Copy1", "Paste1", "Cut1"}) {
        if (QAction* action = host.HostAction(S(name)))
            popup->addAction(action);
    }
    // Goto Line shares Ctrl+G with the main window's entry, which does the same
    // on the active window; here the key is only shown.
    auto* gotoLine = new QAction(QStringLiteral("Goto Line ..."), this);
    gotoLine->setObjectName(QStringLiteral("GotoLine2"));
    gotoLine->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));
    gotoLine->setShortcutContext(Qt::WidgetShortcut);
    connect(gotoLine, &QAction::triggered, this, [this] { RunReported([this] { GotoLine(); }); });
    popup->addAction(gotoLine);

    add(submenu("Tags1", "Tags ( Bold, Italic, Center etc ... )"),
        {{"Bold2", "Bold"},
         {"Italic2", "Italic"},
         {"Underline2", "Underline"},
         {nullptr, nullptr},
         {"Left2", "Left"},
         {"Center2", "Center"},
         {"Right2", "Right"},
         {nullptr, nullptr},
         {"ImageTag1", "Image Tag", "Alt+T"},
         {nullptr, nullptr},
         {"Insertalinebreak1", "Insert a line break", "Alt+B"},
         {"Insertahorizontaleline1", "Insert a horizontale line", "Alt+H"},
         {nullptr, nullptr},
         {"Commenttext1", "Comment text", "Alt+C"}});
    add(submenu("Objects1", "Objects ( Image, Url, Flash ... )"),
        {{"InsertanImage1", "Insert an Image", "Alt+I"},
         {"InsertanURLorMailto1", "Insert an URL or Mailto", "Alt+L"},
         {"Insertflashmovie1", "Insert flash movie", "Alt+F"}});
    add(submenu("ColorSelectedText1", "Color Selected Text"),
        {{"Useforegroundcolor1", "Use foreground color"},
         {"Usebackgroundcolor1", "Use background color"}});
    if (QAction* table = host.HostAction(QStringLiteral("Table")))
        popup->addAction(table);
    add(popup, {{"TextFormatting1", "TextFormatting", "F4"},
                {"Setdocumentinlowercase1", "Set document in lowercase"}});
    connect(PopupAction(QStringLiteral("Setdocumentinlowercase1")), &QAction::triggered, this,
            [this] { RunReported([this] { SetDocumentInLowercase(); }); });

    // The Tags entries act on this window's editor.
    for (QAction* entry : popup->findChild<QMenu*>(QStringLiteral("Tags1"))->actions()) {
        if (const TagCommand* command = FindTagCommand(entry->objectName()))
            connect(entry, &QAction::triggered, this,
                    [this, command] { ApplyTagCommand(*editor, *command); });
    }

    // The dialogs and the colour bar live with the main window, which wires
    // these entries when it adopts the window.
    for (const char* name : {"InsertanImage1", "InsertanURLorMailto1", "Insertflashmovie1",
                             "Useforegroundcolor1", "Usebackgroundcolor1", "TextFormatting1"})
        PopupAction(S(name))->setEnabled(false);
}

QAction* TChildForm::PopupAction(const QString& name) const {
    for (QAction* action : findChildren<QAction*>()) {
        if (action->objectName() == name)
            return action;
    }
    return host.HostAction(name);
}

void TChildForm::showEvent(QShowEvent* event) {
    MdiChildWindow::showEvent(event);
    if (shownOnce)
        return;
    shownOnce = true;
    RunReported([this] { ApplyFontSettings(); });
}

void TChildForm::CreateTab() {
    tab = new DocumentTab(host.PendingTabCaption(), *host.Tabs());
    tab->Press();
    connect(tab, &QToolButton::clicked, this, [this] { ActivateDocument(); });
    host.ApplyTabsBarHeightRule();
}

void TChildForm::SetCaption(const QString& text) {
    caption = text;
    refreshTitle();
}

void TChildForm::refreshTitle() {
    const bool gone = disk->Path() == caption && disk->Gone();
    setWindowTitle(gone ? caption + LangText(QStringLiteral("DiskGone")) : caption);
}

void TChildForm::LoadDocument(const QString& path) {
    // The stamp from before the read: a change while reading shows as one.
    const auto stamp = StampOf(path);
    editor->LoadFromFile(path);
    disk->Track(path, stamp);
    refreshTitle();
}

bool TChildForm::SaveDocument() {
    const QString path = Caption();
    if (disk->Path() == path && disk->ChangedOnDisk() &&
        !CurrentPrompts().message(MessageKind::Confirm,
                                  LangText(QStringLiteral("DiskSave")).arg(path)))
        return false;
    editor->SaveToFile(path);
    disk->Track(path, StampOf(path));
    modified = false;
    refreshTitle();
    if (schedule)
        schedule->Cancel();
    emit snapshotDue();
    return true;
}

void TChildForm::CheckDiskChanges() {
    if (checkingDisk || disk->Path() != caption)
        return;
    refreshTitle();
    if (!disk->ChangeToAsk())
        return;
    // The question itself moves the activation about; it is asked once.
    const QScopedValueRollback guard(checkingDisk, true);
    disk->Asked();
    const QString key = modified ? QStringLiteral("DiskBoth") : QStringLiteral("DiskReload");
    if (CurrentPrompts().message(MessageKind::Confirm, LangText(key).arg(caption)))
        reloadDocument();
}

void TChildForm::reloadDocument() {
    const TextPosition caret = editor->CaretPosition();
    const int topLine = editor->TopLine();
    LoadDocument(caption);
    editor->SetCaretPosition(caret);
    editor->SetTopLine(topLine);
    modified = false;
    statusBar->SetPanelText(1, QString());
    host.SetSaveButtonEnabled(false);
    if (schedule)
        schedule->Cancel();
    emit snapshotDue();
}

Snapshot TChildForm::TakeSnapshot() const {
    Snapshot snapshot;
    snapshot.caption = caption;
    snapshot.untitled = !CaptionHasFile(caption);
    snapshot.encoding = editor->Encoding();
    snapshot.text = editor->Utf8Text();
    const TextPosition caret = editor->CaretPosition();
    snapshot.caretLine = caret.line;
    snapshot.caretColumn = caret.column;
    snapshot.topLine = editor->TopLine();
    if (disk->Path() == caption)
        snapshot.diskStamp = disk->Stamp();
    return snapshot;
}

void TChildForm::RestoreSnapshot(const Snapshot& snapshot) {
    editor->SetUtf8Text(snapshot.text);
    editor->SetEncoding(snapshot.encoding);
    editor->SetCaretPosition({snapshot.caretColumn, snapshot.caretLine});
    editor->SetTopLine(snapshot.topLine);
    if (!snapshot.untitled)
        disk->Track(snapshot.caption, snapshot.diskStamp);
    SetCaption(snapshot.caption);
    MarkModified();
}

void TChildForm::ActivateDocument() {
    host.HideImageBrowser();
    if (host.PreviewActive())
        host.CloseActivePreview();
    if (tab) {
        tab->Press();
        tab->SetFontColor(Qt::black);
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!sub)
        return;
    if (sub->isMinimized())
        sub->showNormal();
    if (QMdiArea* area = sub->mdiArea(); area && area->activeSubWindow() != sub)
        area->setActiveSubWindow(sub);
    sub->raise();
}

void TChildForm::Activated() {
    host.SetSaveButtonEnabled(!statusBar->PanelText(1).isEmpty());
    if (tab)
        ActivateDocument();
    CheckDiskChangesLater();
}

void TChildForm::CheckDiskChangesLater() {
    // Asked once the activation is over, not in the middle of it.
    QMetaObject::invokeMethod(
        this, [this] { RunReported([this] { CheckDiskChanges(); }); }, Qt::QueuedConnection);
}

void TChildForm::RefreshFileNamePanel() {
    statusBar->SetPanelText(3, CaptionFileName(Caption()));
}

void TChildForm::onEdit() {
    // The hidden word-wrapping box follows the editor's font from the first edit on.
    if (wrapFontFamily != editor->FontName())
        wrapFontFamily = editor->FontName();
    MarkModified();
}

void TChildForm::MarkModified() {
    modified = true;
    statusBar->SetPanelText(1, kModified);
    host.SetSaveButtonEnabled(true);
    if (tab && !tab->IsPressed())
        tab->SetFontColor(DocumentTab::kEditedColor);
}

void TChildForm::onStatus(unsigned changes) {
    const unsigned caretChanges = unsigned(StatusChange::All) |
                                  unsigned(StatusChange::CaretColumn) |
                                  unsigned(StatusChange::CaretLine);
    if (!(changes & caretChanges))
        return;
    const TextPosition caret = editor->CaretPosition();
    const QString position = QString::asprintf("Ln:%6d, Col:%3d", caret.line, caret.column);
    statusBar->SetPanelText(0, position);
    statusBar->SetPanelWidth(0, 6 * int(position.size()));
    statusBar->SetPanelText(3, QStringLiteral("Lines : %1, Caracters : %2")
                                   .arg(editor->LineCount())
                                   .arg(editor->TrimmedCharacterCount()));
}

void TChildForm::onKeyDown(int key) {
    if (key == Qt::Key_F9) {
        host.RunPreview();
    } else if (key == Qt::Key_Insert) {
        statusBar->SetPanelText(2, statusBar->PanelText(2) == kInsert ? kOverwrite : kInsert);
    }
}

bool TChildForm::CloseQuery() {
    if (!Settings().ReadFlag(QStringLiteral("Ask"), QStringLiteral("ToSave?"),
                             SettingDefaults::kAskToSave))
        return true;
    if (!modified)
        return true;
    return CurrentPrompts().message(MessageKind::Confirm, LangText(QStringLiteral("Sluit1")) +
                                                              CaptionFileName(Caption()) +
                                                              LangText(QStringLiteral("Sluit2")));
}

void TChildForm::closeEvent(QCloseEvent* event) {
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    delete tab;
    host.ApplyTabsBarHeightRule();
}

void TChildForm::GotoLine() {
    const auto input = CurrentPrompts().inputLine(QStringLiteral("Goto line ... "),
                                                  QStringLiteral("Enter line number"), QString());
    if (!input)
        return;
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    bool ok = decimal.match(*input).hasMatch();
    const int line = ok ? input->toInt(&ok) : 0;
    if (!ok) {
        LangMessage(QStringLiteral("ONum"), QString(), 0);
        return;
    }
    if (line > editor->LineCount()) {
        LangMessage(QStringLiteral("NoLi"), *input, 0);
        return;
    }
    editor->SetCaretLine(qMax(1, line));
    editor->setFocus();
}

void TChildForm::SetDocumentInLowercase() {
    if (!CurrentPrompts().message(MessageKind::Confirm, LangText(QStringLiteral("lowercase"))))
        return;
    QString text = editor->Text();
    for (QChar& c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    editor->SetText(text);
}

void TChildForm::WordWrap() {
    QStringList lines;
    for (int i = 0; i < editor->LineCount(); ++i)
        lines << editor->Line(i);
    const QStringList wrapped = WrapLines(lines, WrapFont(wrapFontFamily), kWordWrapWidth);
    QString text;
    for (const QString& line : wrapped)
        text += line + QStringLiteral("\r\n");
    editor->SetText(text);
}
