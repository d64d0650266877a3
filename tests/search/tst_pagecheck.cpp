#include "EditorControl.h"
#include "PageCheck.h"
#include "PageCheckRun.h"
#include "ResultsPanel.h"
#include "TChildForm.h"
#include "TfMain.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

class TestPageCheck : public QObject, WindowFixture {
    Q_OBJECT

    // Ctrl+Shift+K in the active document, and the check's end.
    ResultsPanel* checkWithShortcut() {
        QSignalSpy done(window->PageCheck(), &PageCheckRun::finished);
        QApplication::setActiveWindow(window.get());
        EditorControl* editor = window->ActiveEditor();
        editor->setFocus();
        QTest::keyClick(editor->focusProxy(), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        if (!done.wait())
            return nullptr;
        return window->PageCheckResults();
    }

private slots:
    void cleanup() {
        if (folder)
            finish();
    }

    void checksTheUnsavedTextAndGoesToAFinding() {
        prepare();
        start();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->NewDocument();
        EditorControl* editor = window->ActiveEditor();
        editor->SetText(QStringLiteral("<!DOCTYPE html>\n<title>t</title>\n<p><b>x</p>"));
        ResultsPanel* panel = checkWithShortcut();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->RowCount(), 2);
        QVERIFY2(panel->Title().endsWith(QStringLiteral(": errors: 0, warnings: 2")),
                 qPrintable(panel->Title()));
        QTreeWidgetItem* row = panel->Tree()->topLevelItem(0)->child(1);
        QCOMPARE(row->text(0), QStringLiteral("3: Warning, column 4: missing </b> before </p>"));
        // The check changed nothing; a double click puts the caret on the finding.
        QVERIFY(editor->Text().endsWith(QStringLiteral("<p><b>x</p>\r\n")));
        editor->SetCaretPosition({1, 1});
        const QRect place = panel->Tree()->visualItemRect(row);
        QTest::mouseClick(panel->Tree()->viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(panel->Tree()->viewport(), Qt::LeftButton, {}, place.center());
        QCOMPARE(editor->CaretPosition(), (TextPosition{4, 3}));

        editor->SetText(QStringLiteral("<!DOCTYPE html>\n<html><head><title>t</title></head>\n"
                                       "<body><p><b>x</b></p></body></html>"));
        panel = checkWithShortcut();
        QVERIFY(panel);
        QCOMPARE(panel->RowCount(), 0);
        QCOMPARE(panel->Status(),
                 QStringLiteral("HTML Tidy found no errors or warnings in this page."));
    }

    void findsAnUnclosedElementWhereItIs() {
        const auto result =
            CheckPage(QByteArrayLiteral("<!DOCTYPE html>\n<html><head><title>t</title>"
                                        "</head><body>\n\t<p><b>x</p>\n</body></html>\n"));
        QVERIFY(!result.findings.isEmpty());
        const PageFinding& first = result.findings.first();
        QCOMPARE(first.line, 3);
        // The tab before <p> is one column.
        QCOMPARE(first.column, 5);
        QCOMPARE(first.kind, PageFinding::Kind::Warning);
        QVERIFY2(first.message.contains(QLatin1String("</b>")), qPrintable(first.message));

        // Columns count as the editor does: a character beyond the BMP is two.
        const auto wide =
            CheckPage("<!DOCTYPE html>\r\n<title>t</title>\r\n<p>\xf0\x9f\x98\x80<b>x</p>");
        QCOMPARE(wide.findings.size(), 2); // the implicit <body>, then the </b>
        QCOMPARE(wide.findings.last().line, 3);
        QCOMPARE(wide.findings.last().column, 6);
    }

    void aCleanPageHasNoFindings() {
        const QByteArray html5("<!DOCTYPE html>\n<html lang=\"nl\"><head><meta charset=\"utf-8\">"
                               "<title>Caf\xc3\xa9</title></head>\n<body><main><p>x</p>"
                               "<my-card>y</my-card></main></body></html>\n");
        const auto result = CheckPage(html5);
        QVERIFY2(result.findings.isEmpty(), qPrintable(result.findings.value(0).message));
    }

    void oldDoctypesAreCheckedByTheirOwnRules() {
        // <font> is fine in HTML 4.01 Transitional and obsolete in HTML5.
        const QByteArray body("<html><head><title>t</title></head><body>"
                              "<p><font color=\"red\">x</font></p></body></html>\n");
        const auto html4 =
            CheckPage("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                      "\"http://www.w3.org/TR/html4/loose.dtd\">\n" +
                      body);
        QVERIFY2(html4.findings.isEmpty(), qPrintable(html4.findings.value(0).message));
        const auto html5 = CheckPage("<!DOCTYPE html>\n" + body);
        QCOMPARE(html5.findings.size(), 1);
        QVERIFY(html5.findings.first().message.contains(QLatin1String("font")));
    }

    void brokenInputIsReportedNotFatal() {
        QByteArray junk("<<<\0>\xff\xfe</x>", 12);
        junk += QByteArray(200000, '<');
        const auto result = CheckPage(junk);
        QVERIFY(!result.findings.isEmpty());
        QVERIFY(result.findings.size() <= kMaxFindings);
    }
};

QTEST_MAIN(TestPageCheck)
#include "tst_pagecheck.moc"
