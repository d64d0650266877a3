#pragma once

#include "DocumentCodec.h"
#include "EditorKeys.h"
#include "HighlightStyles.h"
#include "TextSearch.h"

#include <QColor>
#include <QFlags>
#include <QWidget>

class QFile;

#include <functional>
#include <memory>
#include <vector>

class EditorAccessibleEvents;
class EditorBehaviour;
class QAction;
class ScintillaView;

// A place in the text: 1-based column and line.
struct TextPosition {
    int column = 1;
    int line = 1;
    bool operator==(const TextPosition&) const = default;
};

// A stretch of a line on screen, as the behaviours that mark what is shown
// read it: a whole line, or the part in view of a long one.
struct ShownPiece {
    QString text;
    long from = 0; // where it starts, for the editor's own use
    bool wholeLine = true;
};

// A small box in a colour on the first character of a stretch of a piece
// (UTF-16 units of its text).
struct Swatch {
    qsizetype piece = 0;
    qsizetype offset = 0;
    QColor color;
};

// What a status change is about.
enum class StatusChange : unsigned {
    All = 1 << 0,
    CaretColumn = 1 << 1,
    CaretLine = 1 << 2,
    LeftColumn = 1 << 3,
    TopLine = 1 << 4,
    InsertMode = 1 << 5,
    Modified = 1 << 6,
    Selection = 1 << 7,
};
Q_DECLARE_FLAGS(StatusChanges, StatusChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(StatusChanges)

enum class EditorOption {
    AutoIndent,
    DragDropEditing,
    ScrollPastEol,
    ShowScrollHint,
    SmartTabs,
    TabsToSpaces,
    TrimTrailingSpaces,
    SmartTabDelete,
    GroupUndo,
};

// The highlighter attached to an editor.
enum class Highlighter { None, Html, Css };

enum class SelectionMode { Normal, Column, Line };

// The document editor: a plain-text editor with a gutter, line numbers, a
// right-edge line, bookmarks, undo and redo, its own key bindings and
// syntax highlighting. The rest of the program uses only this class; the
// editing engine behind it stays inside. What reacts to typing and editing
// beyond that (snippet expansion, closing tags, the styling of long lines)
// is a behaviour attached to the editor (EditorBehaviour.h), one class per
// file.
//
// Lines are numbered from 1. The text is held as lines joined by CR LF;
// linear positions count from 1 at the start of the document, every
// character as 1 and every line break as 2.
class EditorControl : public QWidget {
    Q_OBJECT
public:
    explicit EditorControl(QWidget* parent = nullptr);
    ~EditorControl() override;

    // Lines. Line(index) takes a 0-based index.
    int LineCount() const;
    QString Line(int index) const;
    void AddLine(const QString& line);

    // The whole text: every line followed by CR LF. Setting it splits at CR
    // LF, CR or LF (a final break adds no empty line), empties the undo and
    // redo lists, puts the caret at line 1, column 1 and raises a status
    // change "all" but no change event.
    QString Text() const;
    void SetText(const QString& text);
    // The text as the editor holds it: UTF-8, CR LF between lines and none
    // after the last. A copy, which another thread may read.
    QByteArray Utf8Text() const;
    // Setting it is like SetText.
    void SetUtf8Text(const QByteArray& text);
    void Clear();

    // Files, decoded and encoded as DocumentCodec says. Loading is like
    // setting the whole text; a file that cannot be read throws a UserError.
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path);
    // Writes the lines to another file, each followed by CR LF, encoded as
    // SaveToFile would encode them for that path; the document's own
    // encoding stays as it is.
    void WriteCopyTo(const QString& path) const;
    TextEncoding Encoding() const { return encoding; }
    void SetEncoding(TextEncoding value) { encoding = value; }

    // The number of characters of the whole text with its line breaks, after
    // removing blanks and control characters from both ends.
    qsizetype TrimmedCharacterCount() const;

    // Selection.
    QString SelectedText() const;
    // Replaces the selection (or inserts at the caret) as one undo step; the
    // caret ends after the text, nothing is selected; raises the change event.
    void ReplaceSelection(const QString& text);
    bool SelectionAvailable() const;
    TextPosition BlockBegin() const;
    TextPosition BlockEnd() const;
    void SetBlockBegin(const TextPosition& position);
    void SetBlockEnd(const TextPosition& position);
    int SelectionStart() const;
    int SelectionEnd() const;
    // Moves the caret to the position and anchors an empty selection there.
    void SetSelectionStart(int position);
    // Extends the selection from the anchor to the position; the caret stays.
    void SetSelectionEnd(int position);
    SelectionMode CurrentSelectionMode() const;

    // Caret.
    TextPosition CaretPosition() const;
    void SetCaretPosition(const TextPosition& position);
    // Moves the caret to the line (kept within the text); the column stays
    // where the line is long enough, else the caret goes after its end.
    void SetCaretLine(int line);
    // The line shown at the top of the editor, and scrolling so that the
    // given line (kept within the text) comes there.
    int TopLine() const;
    void SetTopLine(int line);
    bool InsertMode() const;
    // The text right before the caret and right after it, at most maxBytes
    // of it in UTF-8 (less where that would cut a character): what a
    // behaviour reads near the caret without taking a whole long line.
    QString TextBeforeCaret(long maxBytes) const;
    QString TextAfterCaret(long maxBytes) const;
    // Moves the caret by a number of characters (UTF-16 units, as in the
    // texts above); negative moves back.
    void MoveCaretBy(int characters);
    QPoint PositionToPixels(const TextPosition& position) const;
    int LineHeight() const;

    void Undo();
    void Redo();
    bool CanUndo() const;
    void Cut();
    void Copy();
    void Paste();
    void SelectAll();
    void Execute(EditorCommand command);

    // Appearance.
    QString FontName() const { return fontName; }
    int FontSize() const { return fontSize; }
    QColor FontColor() const { return fontColor; }
    void SetEditorFont(const QString& name, int pointSize);
    void SetFontColor(const QColor& color);
    QColor BackgroundColor() const { return backgroundColor; }
    void SetBackgroundColor(const QColor& color);
    bool GutterVisible() const { return gutterVisible; }
    void SetGutterVisible(bool visible);
    bool LineNumbers() const { return lineNumbers; }
    void SetLineNumbers(bool on);
    int GutterLeftOffset() const { return gutterLeftOffset; }
    void SetGutterLeftOffset(int pixels);
    int TabWidth() const;
    void SetTabWidth(int characters);
    int RightEdge() const;
    void SetRightEdge(int column);
    QColor RightEdgeColor() const;
    void SetRightEdgeColor(const QColor& color);
    bool Option(EditorOption option) const;
    void SetOption(EditorOption option, bool on);
    Highlighter CurrentHighlighter() const { return highlighter; }
    void SetHighlighter(Highlighter value);

    // Searches, or replaces, in the range the options and the selection give
    // (see TextSearch.h) and returns the number of matches found in it. A
    // replace run is one undo step; a read-only editor replaces nothing.
    int SearchReplace(const QString& search, const QString& replace, const SearchOptions& options);
    // Asked before each replacement, with the match's start; without it every
    // match is replaced.
    using ReplaceQuery = std::function<ReplaceAnswer(const QString& search, const QString& replace,
                                                     const TextPosition& at)>;
    void SetReplaceQuery(ReplaceQuery query) { replaceQuery = std::move(query); }
    // Replaces every match in the whole text without asking, as one undo
    // step, and returns the number replaced (kSearchStopped when a regular
    // expression took too long); a read-only editor replaces nothing. The
    // direction, scope and selection options do not count; the replace query
    // stays as it is.
    int ReplaceEverywhere(const QString& search, const QString& replace, SearchOptions options);
    bool ReadOnly() const;
    void SetReadOnly(bool on);

    // The highlighting style at a position (styling the text up to it first).
    int StyleAt(const TextPosition& position) const;
    // How the editor draws a style now: its foreground, bold and italic.
    HighlightStyleLook DrawnStyle(int style) const;

    // Marks drawn over stretches of text near the caret, as a box behind
    // them: each range is a start relative to the caret and a length, in
    // UTF-16 units as TextBeforeCaret and TextAfterCaret count them. The
    // marks set before go; an empty list only clears them.
    void MarkNearCaret(const QList<QPair<int, int>>& ranges);
    // The marked stretches as linear positions (see above) and lengths.
    QList<QPair<int, int>> MarkedRanges() const;

    // The text on screen: each line shown, whole, or for a line of more than
    // maxLineBytes the part in view and up to maxLineBytes either side of it.
    QList<ShownPiece> ShownText(long maxLineBytes) const;
    // Up to maxBytes of the text right before a piece.
    QString TextBeforePiece(const ShownPiece& piece, long maxBytes) const;
    // Selects a stretch of a piece's text.
    void SelectInPiece(const ShownPiece& piece, qsizetype offset, qsizetype length);
    // Shows the swatches on the pieces; the swatches shown before go.
    void ShowSwatches(const QList<ShownPiece>& pieces, const QList<Swatch>& swatches);
    // The swatches shown: the linear position of the character each is on,
    // and its colour.
    QList<QPair<int, QColor>> SwatchesShown() const;

    // Bookmark n (0 to 9): its line, or 0 when it is not set.
    int BookmarkLine(int n) const;

    // Attaches a behaviour (EditorBehaviour.h) made for this editor; the
    // editor owns it from now on and removes it with itself.
    EditorBehaviour* AddBehaviour(std::unique_ptr<EditorBehaviour> behaviour);

    // Whether a key belongs to a command of the window around the editor;
    // such keys go to the window, not to the editor's own bindings.
    void SetKeyClaimedElsewhere(std::function<bool(QKeyCombination)> test);

    // The command of the document window that a key runs before anything
    // else sees it (the shortcuts of the document's pop-up menu), or nullptr.
    void SetDocumentShortcuts(std::function<QAction*(QKeyCombination)> lookup) {
        documentShortcut = std::move(lookup);
    }

signals:
    // After every edit that enters the undo list, and after undo and redo.
    void changed();
    void statusChanged(StatusChanges changes);
    // Every key press, before the editor's bindings see it.
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void contextMenuRequested(const QPoint& globalPosition);

private:
    // The encoding the text is written in to a file at path.
    TextEncoding EncodingFor(const QString& path) const;
    void WriteEncoded(const QString& path, TextEncoding written) const;
    friend class ScintillaView;
    friend class EditorSearchBuffer;
    friend class EditorAccessible;

    long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    long SendPointer(unsigned int message, unsigned long wParam, const void* lParam) const;
    void SetRawText(const char* utf8, qsizetype size);
    // Replacing the text by one given in pieces: the pieces are appended
    // without undo steps or change notices until the load ends.
    void beginLoad();
    // Makes room for a text of the size, and some more to type in.
    void reserveLoaded(qsizetype size);
    void appendLoaded(const char* utf8, qsizetype size);
    void endLoad();
    bool readDecoded(QFile& file, bool asUtf8);
    // The engine's index of the characters at line starts, made when first
    // needed (see beyondAscii).
    void keepCharacterIndex() const;
    void noteEditForAscii(long position, int type, long length);
    // Whether the text holds characters beyond ASCII, once the text inserted
    // lately has been looked at.
    bool holdsBeyondAscii() const;
    QByteArray RawRange(long from, long to) const;
    long LineStartCharacter(long line) const;
    long LineCharacters(long line) const;
    long CountCharacters(long from, long to) const;
    long CharactersIntoLine(long line, long bytePosition) const;
    long BytesIntoLine(long line, long characters) const;
    long CharacterIndexOf(long bytePosition) const;
    // A stretch of the caret's line around it, and the caret's place in it.
    std::pair<QString, int> TextAroundCaret() const;
    long BytePositionOf(long characterIndex) const;
    long PositionOf(const TextPosition& position, int* virtualSpace) const;
    TextPosition PositionAt(long bytePosition, int virtualSpace) const;
    long Caret() const;
    long Anchor() const;
    void MoveCaret(long bytePosition, bool extend);
    void MoveToLine(int line, bool extend);
    int FirstVisibleLine() const;
    int LastVisibleLine() const;
    void SetEngineSelectionMode(int mode, bool movesExtend);
    void runPlainMove(EditorCommand move);
    void selectInMode(EditorCommand move);

    // Runs event(behaviour) for each enabled behaviour, in the order they
    // were attached.
    template <class Event> void tellBehaviours(Event event);
    void handleKeyPress(QKeyEvent* event);
    bool keyIsClaimedElsewhere(QKeyCombination keys) const;
    bool StyleBeforeLayout() const;
    void onModified(int position, int type);
    void flushChange();
    void onStyleNeeded(int position);
    // Styles the lines from the state at the end of the line above; returns
    // the state at the end of the last.
    int styleLines(long firstLine, long lastLine);
    void stylePlainLines(long firstLine, long lastLine);
    // The shortest line an enabled behaviour restyles, or -1 for none.
    long behavioursStyleFrom() const;
    // Hands a styled line to the behaviours that restyle lines that long.
    void behavioursStyleLine(const char* text, unsigned char* styles, long length);
    void restyleReplacedLines(std::vector<long> lines, long styledEnd);
    void checkStatus(StatusChanges extra = {});
    // A click with Ctrl held at a point of the engine's view, offered to the
    // behaviours; true when one took it.
    bool ctrlClick(const QPoint& point);
    ShownPiece pieceAround(long bytePosition, long reach) const;
    void applyStyles();
    void updateMargins();
    void showScrollHint(int value);
    void breakLine();
    void indentBlock(bool indent);
    void toggleBookmark(int n);
    void gotoBookmark(int n);
    // Offers a command to the enabled behaviours in turn; true when one ran it.
    bool behavioursRunCommand(EditorCommand command);
    void matchBracket();
    SearchRange searchRange(const SearchOptions& options) const;

    ScintillaView* view;
    TextEncoding encoding = TextEncoding::Windows1252;
    Highlighter highlighter = Highlighter::None;
    QString fontName;
    int fontSize = 10;
    QColor fontColor;
    QColor backgroundColor;
    bool gutterVisible = true;
    bool lineNumbers = true;
    int gutterLeftOffset = 15;
    int lineNumberDigits = 0;
    unsigned options = 0;
    SelectionMode selectionMode = SelectionMode::Normal;
    bool loading = false;
    // Whether the text may hold characters beyond ASCII. Until it does, a
    // character's index is its byte position, and the engine keeps no index
    // of the characters at line starts: keeping it costs a pass over every
    // inserted line, most of the time a large document takes to open.
    mutable bool beyondAscii = false;
    mutable bool characterIndexKept = false;
    // The stretch of text (byte positions) holding whatever was inserted
    // since the text was last looked at for characters beyond ASCII; -1 when
    // nothing was. The engine tells of an insert before it is made, without
    // its text.
    mutable long uncheckedFrom = -1;
    mutable long uncheckedTo = -1;
    bool marksShown = false;
    // The swatches shown: byte position and colour.
    std::vector<std::pair<long, QRgb>> shownSwatches;
    bool changePending = false;
    bool flushQueued = false;
    TextPosition lastCaret;
    int lastTopLine = 0;
    int lastLeftColumn = 0;
    std::unique_ptr<EditorAccessibleEvents> accessibleEvents;
    std::vector<std::unique_ptr<EditorBehaviour>> behaviours;
    ReplaceQuery replaceQuery;
    std::function<bool(QKeyCombination)> claimedElsewhere;
    std::function<QAction*(QKeyCombination)> documentShortcut;
};
