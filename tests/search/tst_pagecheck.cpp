#include "PageCheck.h"

#include <QTest>

class TestPageCheck : public QObject {
    Q_OBJECT
private slots:
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

QTEST_APPLESS_MAIN(TestPageCheck)
#include "tst_pagecheck.moc"
