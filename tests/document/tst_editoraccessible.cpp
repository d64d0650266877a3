#include "EditorControl.h"
#include "support/ShownEditor.h"

#include <QAccessible>
#include <QTest>

// The editor as assistive tools see it: offsets in UTF-16 units over the
// text with its CR LF breaks, whatever the engine stores.
class EditorAccessibleTest : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorControl> editor;
    // Characters of two bytes and of four (two UTF-16 units) on both sides of a
    // word.
    const QString text = QStringLiteral("<p>h\u00e9llo \U0001F600 w\u00f6rld \U0001F600</p>\r\n"
                                        "second line\r\n"
                                        "third");

    QAccessibleInterface* accessible() const {
        return QAccessible::queryAccessibleInterface(editor->focusProxy());
    }

private slots:
    void init() {
        editor = ShownEditor();
        QVERIFY(editor);
        editor->SetText(text);
    }
    void cleanup() { editor.reset(); }

    void textCaretSelectionAndBoundaries() {
        QAccessibleInterface* iface = accessible();
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        QVERIFY(iface->state().editable && iface->state().multiLine);
        QAccessibleTextInterface* textInterface = iface->textInterface();
        QVERIFY(textInterface);
        QCOMPARE(textInterface->characterCount(), text.size());
        QCOMPARE(textInterface->text(0, int(text.size())), text);
        QCOMPARE(textInterface->text(3, 9), QStringLiteral("h\u00e9llo "));

        // The caret after the four-byte character, and on a later line.
        const int world = int(text.indexOf(u'w'));
        editor->SetCaretPosition({12, 1});
        QCOMPARE(textInterface->cursorPosition(), world);
        editor->SetCaretPosition({3, 2});
        QCOMPARE(textInterface->cursorPosition(), text.indexOf(u"second") + 2);
        textInterface->setCursorPosition(int(text.indexOf(u"line")));
        QCOMPARE(editor->CaretPosition(), (TextPosition{8, 2}));

        int start = 0;
        int end = 0;
        const int second = int(text.indexOf(u"second"));
        const int third = int(text.indexOf(u"third"));
        QCOMPARE(textInterface->textAtOffset(second + 3, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("second line\r\n"));
        QCOMPARE(start, second);
        QCOMPARE(end, third);
        QCOMPARE(textInterface->textBeforeOffset(third, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("second line\r\n"));
        QCOMPARE(textInterface->textAfterOffset(second, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("third"));
        QCOMPARE(end, text.size());
        QCOMPARE(textInterface->textAtOffset(world + 2, QAccessible::WordBoundary, &start, &end),
                 QStringLiteral("w\u00f6rld"));
        QCOMPARE(start, world);
        QCOMPARE(end, world + 5);
        // A text that starts with no word (where Qt's own rule never returns).
        QCOMPARE(textInterface->textAtOffset(0, QAccessible::WordBoundary, &start, &end),
                 QStringLiteral("<"));
        QCOMPARE(textInterface->textAfterOffset(0, QAccessible::WordBoundary, &start, &end),
                 QStringLiteral("p"));
        QCOMPARE(textInterface->textAtOffset(world - 3, QAccessible::CharBoundary, &start, &end),
                 QStringLiteral("\U0001F600"));

        // Selections made by the tool reach the editor, and the other way round.
        textInterface->addSelection(world, world + 5);
        QCOMPARE(editor->SelectedText(), QStringLiteral("w\u00f6rld"));
        QCOMPARE(textInterface->selectionCount(), 1);
        textInterface->removeSelection(0);
        QCOMPARE(textInterface->selectionCount(), 0);
        QVERIFY(!editor->SelectionAvailable());
        editor->SetBlockBegin({1, 2});
        editor->SetBlockEnd({7, 2});
        textInterface->selection(0, &start, &end);
        QCOMPARE(start, second);
        QCOMPARE(end, second + 6);
    }

    void characterExtentsLieWhereTheLineIsDrawn() {
        // Far enough down that the view has scrolled.
        for (int line = 0; line < 200; ++line)
            editor->AddLine(QStringLiteral("filler line %1").arg(line));
        editor->SetCaretLine(150);
        QVERIFY(editor->PositionToPixels({1, 1}).y() < 0);
        QAccessibleTextInterface* textInterface = accessible()->textInterface();
        const int lineStart = textInterface->cursorPosition();
        int start = 0;
        int end = 0;
        QCOMPARE(textInterface->textAtOffset(lineStart, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("filler line 146\r\n"));

        const QRect extents = textInterface->characterRect(lineStart + 2);
        QCOMPARE(extents.topLeft(), editor->mapToGlobal(editor->PositionToPixels({3, 150})));
        QCOMPARE(extents.height(), editor->LineHeight());
        QCOMPARE(extents.right() + 1, editor->mapToGlobal(editor->PositionToPixels({4, 150})).x());
        QCOMPARE(textInterface->offsetAtPoint(extents.center()), lineStart + 2);
    }
};

QTEST_MAIN(EditorAccessibleTest)
#include "tst_editoraccessible.moc"
