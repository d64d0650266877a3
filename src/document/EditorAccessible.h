#pragma once

#include <QAccessibleWidget>

class EditorControl;
class QsciScintillaBase;

// What screen readers and other assistive tools see of the document editor:
// its text, caret, selection and where each character stands on the screen.
//
// Offsets count UTF-16 code units, as Qt's text interface does everywhere
// (QString indexes). They are worked out from the engine's index of line
// starts and the bytes of the one line concerned, never by counting from the
// start of the text, so that a caret move costs the same at the end of a
// large document as at its start.
class EditorAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    EditorAccessible(QsciScintillaBase* engine, EditorControl* editor);

    // Makes the editor's engine widget described by this class. Called by
    // every editor after its engine widget exists (the engine installs its
    // own description then); only the first call installs.
    static void Install();

    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // The widget's name and description stay reachable beside the text range.
    using QAccessibleWidget::text;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    int selectionCount() const override;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    enum class Side { Before, At, After };
    QString lineText(Side side, int offset, int* startOffset, int* endOffset) const;
    QString nearbyText(Side side, int offset, QAccessible::TextBoundaryType boundaryType,
                       int* startOffset, int* endOffset) const;
    // Selects from anchor to caret (byte positions) and lets the editor
    // report the move.
    void select(long anchor, long caret);

    QsciScintillaBase* engine;
    EditorControl* editor;
};

// The events that tell assistive tools of one editor's edits, caret moves and
// selection. The editor hands it the engine's notices only while a tool
// listens (QAccessible::isActive()), so that otherwise nothing is computed.
class EditorAccessibleEvents {
public:
    explicit EditorAccessibleEvents(QsciScintillaBase* engine) : engine(engine) {}

    // The engine's notice before an edit: length bytes at position are about
    // to be removed, or inserted there.
    void TextChanging(long position, int type, long length);
    // After a command, a caret move or a repaint: reports the text inserted
    // last, and then the caret and selection if the caret moved.
    void Settle(bool caretMoved);

private:
    void reportInsert();

    QsciScintillaBase* engine;
    // An insert is noticed before it is made, without its text; the text is
    // read once it is in, which is at the next notice at the latest.
    long insertPosition = -1;
    long insertLength = 0;
    int insertOffset = 0;
    // Whether a selection was reported last, so that its end is reported too.
    bool selectionReported = false;
};
