#include "TfConfig.h"

#include "CodeInsidePage.h"
#include "ColorSwatch.h"
#include "ConfigControls.h"
#include "ErrorReport.h"
#include "FixedPitchFont.h"
#include "Language.h"
#include "Prompts.h"
#include "SettingDefaults.h"
#include "SettingsStore.h"
#include "SiteCopyDialogs.h"
#include "SystemColors.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFont>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString S(const char* text) {
    return QString::fromLatin1(text);
}

SettingsStore& Store() {
    return Settings();
}

QGroupBox* MakeGroup(QWidget* parent, const QString& caption) {
    auto* group = new QGroupBox(caption, parent);
    return group;
}

QLineEdit* MakeField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

// A text field with a "..." button after it.
QHBoxLayout* FieldRow(QLineEdit* field, QPushButton* button) {
    auto* row = new QHBoxLayout;
    button->setFixedWidth(28);
    row->addWidget(field, 1);
    row->addWidget(button);
    return row;
}

// A page's scroll area that asks for room for the whole page, so the window
// can be sized to show every page without scrolling; it scrolls only where
// the screen is too small for that.
class PageScroller : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        return widget() ? widget()->sizeHint().expandedTo(widget()->minimumSizeHint())
                        : QScrollArea::sizeHint();
    }
};

} // namespace

using namespace SettingDefaults;

TfConfig::TfConfig(std::unique_ptr<ConfigHost> host, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      host(std::move(host)) {
    setObjectName(QStringLiteral("fConfig"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Configuration Screen"));
    QFont interfaceFont(QStringLiteral("Verdana"));
    interfaceFont.setPointSize(8);
    setFont(interfaceFont);

    auto* column = new QVBoxLayout(this);
    auto* header = new QLabel(QStringLiteral("Configuration Panel"), this);
    header->setObjectName(QStringLiteral("HeaderLabel"));
    QFont bold = header->font();
    bold.setBold(true);
    bold.setPointSize(12);
    header->setFont(bold);
    column->addWidget(header);
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    column->addWidget(pages, 1);

    // Building a page fills it from the settings; the pages go in their
    // order, so the fill follows the order of the settings' steps.
    // Each page scrolls when the screen is smaller than its controls.
    const auto addPage = [this](QWidget* page, const QString& caption) {
        auto* scroller = new PageScroller(pages);
        scroller->setWidgetResizable(true);
        scroller->setFrameShape(QFrame::NoFrame);
        scroller->setWidget(page);
        pages->addTab(scroller, caption);
    };
    addPage(buildEditorPage(), QStringLiteral("Editor Options"));
    addPage(buildPathPage(), QStringLiteral("Path Configuration"));
    codeInside = new CodeInsidePage(this->host->ConfigFolder());
    addPage(codeInside, QStringLiteral("Code Inside"));
    addPage(buildNewFilePage(), QStringLiteral("New File Setup"));
    codeInside->LoadLibrary(true);
    connect(pages, &QTabWidget::currentChanged, codeInside, &CodeInsidePage::UpdateVisibility);
    fitToPages();
    // Values filled from the store are not edits: closing a screen the user
    // only looked at writes nothing back, moves nothing and rebuilds nothing
    // (with two screens open, the older one would otherwise undo the newer
    // one's changes when it closes).
    newFileChanged = ftpTyped = browserTyped = workTyped = false;
    restartNeeded = false;
}

TfConfig::~TfConfig() = default;

void TfConfig::fitToPages() {
    // The designed size is the least; the fonts of the desktop may need
    // more room, as long as the screen has it (less its window frame).
    QSize wanted = sizeHint().expandedTo(QSize(747, 467));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
    resize(wanted);
}

void TfConfig::Open(int page, ConfigFocus focus) {
    setWindowTitle(QStringLiteral("Configuration"));
    pages->setCurrentIndex(page);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    activateWindow();
    if (focus == ConfigFocus::FtpPath)
        ftpPath->setFocus();
    else if (focus == ConfigFocus::BrowserPath)
        browserPath->setFocus();
}

QWidget* TfConfig::buildEditorPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("EditorOptionsPage"));
    auto* columns = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    const auto restart = [this] { restartNeeded = true; };
    // A tick box writes its flag when it changes; after() runs next.
    const auto flagBox = [page](const char* name, const QString& caption, bool design,
                                const char* section, const char* key,
                                std::function<void(bool)> after = {}) {
        QCheckBox* box = MakeTickBox(page, name, caption, design);
        QObject::connect(box, &QCheckBox::toggled, page, [=](bool on) {
            RunReported([&] {
                Store().WriteFlag(S(section), S(key), on);
                if (after)
                    after(on);
            });
        });
        box->setChecked(Store().ReadFlag(S(section), S(key), design));
        return box;
    };

    auto* options = MakeGroup(page, QStringLiteral("Editor Options"));
    auto* optionRows = new QVBoxLayout(options);
    optionRows->addWidget(
        flagBox("AutoIndent", QStringLiteral("Auto Indent"), false, "Autoindent", "Enabled"));
    optionRows->addWidget(
        flagBox("ScrollHint", QStringLiteral("Show Scroll Hint"), false, "Scrollhint", "Enabled"));
    optionRows->addWidget(
        flagBox("LineNumbers", QStringLiteral("Use Linenumbers"), kLineNumbers, "LN", "Enabled"));
    optionRows->addWidget(flagBox("SyntaxHighlighting", QStringLiteral("Use Syntax Highlighting"),
                                  false, "SHigh", "Enabled"));
    optionRows->addWidget(flagBox("CloseTags", QStringLiteral("Close tags automatically"),
                                  kCloseTags, "CloseTags", "Enabled"));
    optionRows->addWidget(flagBox("MatchTags", QStringLiteral("Highlight matching tags"),
                                  kMatchTags, "MatchTags", "Enabled"));
    optionRows->addWidget(flagBox("ColorSwatches", QStringLiteral("Show colour swatches"),
                                  kColorSwatches, "ColorSwatches", "Enabled"));
    optionRows->addWidget(flagBox("LivePreview", QStringLiteral("Refresh the preview while typing"),
                                  kLivePreview, "LivePreview", "Enabled"));
    optionRows->addWidget(
        flagBox("UseGutter", QStringLiteral("Use Gutter"), kGutterVisible, "Gutter", "Vis"));
    auto* numbers = new QFormLayout;
    QSpinBox* gutterWidth = MakeNumberField(page, "GutterWidth", 2 * kGutterWidth);
    connect(gutterWidth, &QSpinBox::valueChanged, this, [](int shown) {
        RunSilently([shown] { Store().WriteNumber(S("Gutter"), S("Width"), shown / 2); });
    });
    gutterWidth->setValue(2 * Store().ReadNumber(S("Gutter"), S("Width"), kGutterWidth));
    numbers->addRow(QStringLiteral("Gutter Width "), gutterWidth);
    QSpinBox* blockIndent = MakeNumberField(page, "BlockIndent", kBlockIndent);
    connect(blockIndent, &QSpinBox::valueChanged, this, [](int value) {
        RunReported([value] { Store().WriteNumber(S("BlockIndent"), S("Width"), value); });
    });
    blockIndent->setValue(Store().ReadNumber(S("BlockIndent"), S("Width"), kBlockIndent));
    numbers->addRow(QStringLiteral("Block indent "), blockIndent);
    optionRows->addLayout(numbers);
    marginRight = MakeNumberField(page, "MarginRight", kMarginRight);
    marginRight->hide();
    connect(marginRight, &QSpinBox::valueChanged, this, [](int value) {
        RunReported([value] { Store().WriteNumber(S("Margin"), S("Right"), value); });
    });
    auto* marginRow = new QHBoxLayout;
    QCheckBox* useMargin = flagBox("UseMargin", QStringLiteral("Use Margin"), kMargin, "Margin",
                                   "Enabled", [this](bool on) { marginRight->setVisible(on); });
    marginRow->addWidget(useMargin);
    marginRow->addWidget(marginRight);
    marginRow->addStretch();
    optionRows->addLayout(marginRow);
    marginRight->setVisible(useMargin->isChecked());
    if (useMargin->isChecked())
        marginRight->setValue(Store().ReadNumber(S("Margin"), S("Right"), kMarginRight));
    left->addWidget(options);

    auto* messages = MakeGroup(page, QStringLiteral("Messages"));
    (new QVBoxLayout(messages))
        ->addWidget(flagBox("AskToSave", QStringLiteral("Notify to save before closing a document"),
                            kAskToSave, "Ask", "ToSave?", [restart](bool) { restart(); }));
    left->addWidget(messages);
    auto* start = MakeGroup(page, QStringLiteral("Program start"));
    auto* startRows = new QVBoxLayout(start);
    startRows->addWidget(flagBox("ReopenSession",
                                 QStringLiteral("Reopen the documents of the last session"),
                                 kReopenSession, "Session", "Reopen"));
    startRows->addWidget(flagBox("KeepForRecovery",
                                 QStringLiteral("Keep unsaved documents for recovery"),
                                 kKeepForRecovery, "Recovery", "Keep"));
    left->addWidget(start);
    auto* fileManager = MakeGroup(page, QStringLiteral("Filemanager options"));
    (new QVBoxLayout(fileManager))
        ->addWidget(flagBox("DoubleClickOpen", QStringLiteral("Double click to open a file."),
                            kOpenOnDoubleClick, "DoubleClick", "Open",
                            [this](bool on) { host->SetOpenOnDoubleClick(on); }));
    left->addWidget(fileManager);
    auto* language = MakeGroup(page, QStringLiteral("Program/Helpfile Language"));
    auto* languageRow = new QHBoxLayout(language);
    auto* languages = new DropDownList(language);
    languages->setObjectName(QStringLiteral("LanguageList"));
    languages->addItems({QStringLiteral("English"), QStringLiteral("Nederlands")});
    languageList = languages;
    connect(languages, &QComboBox::activated, this, [](int index) {
        RunReported(
            [index] { Store().WriteText(S("Help"), S("Language"), S(index == 0 ? "Eng" : "NL")); });
    });
    languageRow->addWidget(languages);
    languageRow->addWidget(
        AttachCurrentChoiceLabel(languages, QStringLiteral("Current language  :")));
    left->addWidget(language);
    left->addWidget(MakeSavedNote(page));
    left->addStretch();

    // A colour swatch with its "Clear" button; both need a restart. Without
    // a stored colour the swatch shows the colour the editor then uses.
    const auto colorRow = [this, page, restart](QGroupBox* group, const char* name,
                                                const char* section, const char* key,
                                                qint32 applied) {
        ColorSwatch* swatch = MakeSwatch(page, name);
        swatch->SetColor(Store().ReadNumber(S(section), S(key), applied));
        QPushButton* clear =
            MakeButton(page, (QByteArray(name) + "Clear").constData(), QStringLiteral("Clear"));
        connect(swatch, &ColorSwatch::clicked, this, [=, this] {
            RunReported([&] {
                if (const auto color = pickColor()) {
                    swatch->SetColor(*color);
                    restart();
                    Store().WriteNumber(S(section), S(key), *color);
                }
            });
        });
        connect(clear, &QPushButton::clicked, this, [=] {
            RunReported([&] {
                swatch->SetColor(applied);
                restart();
                Store().WriteText(S(section), S(key), QString());
            });
        });
        auto* row = new QHBoxLayout;
        row->addWidget(swatch);
        row->addWidget(clear);
        row->addStretch();
        static_cast<QBoxLayout*>(group->layout())->addLayout(row);
    };
    // A font list and the size beside it; both need a restart.
    const auto fontRow = [this, restart](QGroupBox* group, DropDownFontList* list,
                                         const char* fontKey, const QString& shown, QSpinBox* size,
                                         const char* sizeKey, bool quiet) {
        list->setCurrentIndex(-1);
        list->setEditText(shown);
        connect(list, &QComboBox::activated, this, [list, fontKey, restart] {
            restart();
            RunReported([&] { Store().WriteText(S("Font"), S(fontKey), list->currentText()); });
        });
        connect(size, &QSpinBox::valueChanged, this, [sizeKey, restart, quiet](int value) {
            restart();
            const auto write = [&] {
                Store().WriteText(S("Font"), S(sizeKey), QString::number(value));
            };
            if (quiet)
                RunSilently(write);
            else
                RunReported(write);
        });
        size->setValue(Store().ReadNumber(S("Font"), S(sizeKey), size->value()));
        auto* row = new QHBoxLayout;
        row->addWidget(list, 1);
        row->addWidget(size);
        row->addWidget(AttachCurrentChoiceLabel(list, QStringLiteral("Current Font :")));
        static_cast<QBoxLayout*>(group->layout())->addLayout(row);
    };
    auto* editorFont = MakeGroup(page, QStringLiteral("Editor FontStyle"));
    new QVBoxLayout(editorFont);
    auto* fixedFonts = new DropDownFontList(editorFont);
    fixedFonts->setObjectName(QStringLiteral("EditorFont"));
    fixedFonts->setFontFilters(QFontComboBox::MonospacedFonts);
    // The editor draws a font that is not installed with the closest
    // fixed-pitch one; the list names the font actually drawn.
    fontRow(editorFont, fixedFonts, "Style",
            FixedPitchFamily(Store().ReadText(S("Font"), S("Style"), S(kEditorFont))),
            MakeNumberField(page, "FontSize", kEditorFontSize), "Size", true);
    colorRow(editorFont, "FontColor", "Font", "Color", kEditorTextColor);
    right->addWidget(editorFont);
    auto* background = MakeGroup(page, QStringLiteral("Edit window background color"));
    new QVBoxLayout(background);
    colorRow(background, "EditorBackground", "EditWindow", "BGCol", kEditorBackground);
    right->addWidget(background);
    auto* textStyles = MakeGroup(page, QStringLiteral("Text Styles"));
    new QVBoxLayout(textStyles);
    auto* allFonts = new DropDownFontList(textStyles);
    allFonts->setObjectName(QStringLiteral("TextFont"));
    fontRow(textStyles, allFonts, "Type", Store().ReadText(S("Font"), S("Type"), S(kTextFont)),
            MakeNumberField(page, "TextSize", kTextFontSize), "Size2", false);
    static_cast<QBoxLayout*>(textStyles->layout())
        ->addWidget(
            MakeNote(page, QStringLiteral("Text styles are used when text is added. The "
                                          "program will use this as you default settings.")));
    right->addWidget(textStyles);
    right->addStretch();
    return page;
}

QWidget* TfConfig::buildPathPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PathConfigurationPage"));
    auto* column = new QVBoxLayout(page);
    const auto pathGroup = [page, column](const QString& caption, QLineEdit* field,
                                          const char* buttonName, const QString& note) {
        auto* group = MakeGroup(page, caption);
        auto* rows = new QVBoxLayout(group);
        QPushButton* choose = MakeButton(group, buttonName, QStringLiteral("..."));
        rows->addLayout(FieldRow(field, choose));
        rows->addWidget(MakeNote(group, note));
        column->addWidget(group);
        return choose;
    };
    ftpPath = MakeField(page, "FtpPath");
    connect(pathGroup(QStringLiteral("FTP Path"), ftpPath, "FtpChoose",
                      QStringLiteral("FTP Path is used to store the path to your favorite FTP "
                                     "program so that you can launch it from within Quillon")),
            &QPushButton::clicked, this, [this] { chooseProgram(ftpPath, "FTP"); });
    connect(ftpPath, &QLineEdit::textChanged, this, [this] { ftpTyped = true; });
    browserPath = MakeField(page, "BrowserPath");
    connect(pathGroup(QStringLiteral("Browser Path"), browserPath, "BrowserChoose",
                      QStringLiteral("Browser Path is used to store the path to your favorite "
                                     "browser so you can launch it from within Quillon")),
            &QPushButton::clicked, this, [this] { chooseProgram(browserPath, "WEB"); });
    connect(browserPath, &QLineEdit::textChanged, this, [this] { browserTyped = true; });
    workDirectory = MakeField(page, "WorkDirectory");
    connect(pathGroup(QStringLiteral("Work directory"), workDirectory, "WorkDirectoryChoose",
                      QStringLiteral("This is the default path used by Quillon where it will "
                                     "open up in.")),
            &QPushButton::clicked, this, [this] { chooseWorkDirectory(); });
    connect(workDirectory, &QLineEdit::textChanged, this, [this] { workTyped = true; });
    syncronize = MakeTickBox(page, "Syncronize",
                             QStringLiteral("Syncronize the filemanager with the main open file"),
                             kFollowFolders);
    connect(syncronize, &QCheckBox::toggled, this, [this](bool on) {
        RunReported([&] {
            Store().WriteFlag(S("Work"), S("Syncro"), on);
            host->SetFollowFolders(on);
        });
    });
    column->itemAt(column->count() - 1)->widget()->layout()->addWidget(syncronize);
    column->addWidget(MakeSavedNote(page));
    column->addStretch();

    FillText(ftpPath, Store().ReadText(S("FTP"), S("Path"), {}));
    FillText(browserPath, Store().ReadText(S("WEB"), S("Path"), {}));
    FillText(workDirectory, Store().ReadText(S("Work"), S("Dir"), {}));
    syncronize->setChecked(Store().ReadFlag(S("Work"), S("Syncro"), kFollowFolders));
    return page;
}

std::optional<qint32> TfConfig::pickColor() {
    const auto chosen = CurrentPrompts().chooseColor(lastPicked);
    if (!chosen)
        return std::nullopt;
    lastPicked = *chosen;
    return ColorNumber(*chosen);
}

void TfConfig::chooseProgram(QLineEdit* field, const char* section) {
    // Programs on Linux carry no extension: every file is listed, and only
    // an executable one is taken.
    const QStringList chosen = CurrentPrompts().openFiles(OneFilterRequest(
        QStringLiteral("Open"), QStringLiteral("Executables (*)"), QStringLiteral("*")));
    if (chosen.isEmpty())
        return;
    const QFileInfo program(chosen.constFirst());
    if (!program.isFile() || !program.isExecutable())
        return;
    field->setText(program.absoluteFilePath());
    RunReported([&] { Store().WriteText(S(section), S("Path"), field->text()); });
}

void TfConfig::chooseWorkDirectory() {
    TfSelDir chooser(workDirectory->text(), this);
    if (CurrentPrompts().runDialog(chooser) != QDialog::Accepted)
        return;
    const QString folder = chooser.SelectedFolder();
    if (folder.isEmpty())
        return;
    workDirectory->setText(folder);
    RunReported([&] { Store().WriteText(S("Work"), S("Dir"), folder); });
}

void TfConfig::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown)
        return;
    shown = true;
    restartNeeded = false;
    const QString language = Store().ReadText(S("Help"), S("Language"), {});
    if (language == QLatin1String("Eng"))
        languageList->setCurrentIndex(0);
    else if (language == QLatin1String("NL"))
        languageList->setCurrentIndex(1);
}

void TfConfig::closeEvent(QCloseEvent* event) {
    if (!closed) {
        closed = true;
        runClosingSteps();
    }
    event->accept();
}

void TfConfig::runClosingSteps() {
    RunReported([this] { host->ApplyLanguage(); });
    if (newFileChanged) {
        RunReported([this] {
            SettingsStore& store = Store();
            store.WriteText(S("Author"), S("Text"), author->text());
            store.WriteText(S("Title"), S("Text"), title->text());
            store.WriteText(S("DESC"), S("Text"), description->text());
            store.WriteText(S("KeyWords"), S("Text"),
                            keywords->toPlainText().split(QLatin1Char('\n')).join(S("\r\n")));
            store.WriteText(S("StyleSheet"), S("Path"), styleSheet->text());
            store.WriteText(S("Background"), S("Image"), backgroundImage->text());
            store.WriteFlag(S("DefLinkCol"), S("On"), defaultLinkColors->isChecked());
        });
        RunReported([this] { host->RebuildTemplate(); });
    }
    if (ftpTyped)
        RunReported([this] { Store().WriteText(S("FTP"), S("Path"), ftpPath->text()); });
    if (browserTyped)
        RunReported([this] { Store().WriteText(S("WEB"), S("Path"), browserPath->text()); });
    if (workTyped)
        RunSilently([this] { host->MoveToWorkDirectory(workDirectory->text()); });
    if (restartNeeded)
        CurrentPrompts().message(MessageKind::Information, LangText(S("SetChange")));
}
