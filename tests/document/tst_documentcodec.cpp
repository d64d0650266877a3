#include "DocumentCodec.h"

#include <QTest>

class DocumentCodecTest : public QObject {
    Q_OBJECT

    static QByteArray RoundTrip(const QByteArray& file) {
        const DecodedDocument document = DecodeDocument(file);
        return EncodeDocument(document.text, document.encoding);
    }

private slots:
    void everyWindows1252ByteComesBack() {
        // Every byte value but the two line-break bytes, spread over lines.
        QByteArray file;
        for (int byte = 0; byte < 256; ++byte) {
            if (byte == '\r' || byte == '\n')
                continue;
            file.append(char(byte));
            if (byte % 32 == 31)
                file.append("\r\n");
        }
        file.append("\r\n");
        const DecodedDocument document = DecodeDocument(file);
        QCOMPARE(document.encoding, TextEncoding::Windows1252);
        QVERIFY(QString::fromUtf8(document.text).contains(QStringLiteral("\u20AC\u0081\u201A")));
        QCOMPARE(EncodeDocument(document.text, document.encoding), file);
    }

    void utf8FilesStayUtf8() {
        const QByteArray plain = "<p>caf\xC3\xA9 \xE2\x86\x92 \xF0\x9F\x98\x80</p>\r\n\r\nend\r\n";
        QCOMPARE(DecodeDocument(plain).encoding, TextEncoding::Utf8);
        QCOMPARE(RoundTrip(plain), plain);
        const QByteArray marked = "\xEF\xBB\xBFna\xC3\xAFve\r\n";
        const DecodedDocument document = DecodeDocument(marked);
        QCOMPARE(document.encoding, TextEncoding::Utf8Bom);
        QCOMPARE(document.text, QByteArray("na\xC3\xAFve"));
        QCOMPARE(RoundTrip(marked), marked);
        // A byte-order mark on its own, with nothing else non-ASCII.
        QCOMPARE(RoundTrip("\xEF\xBB\xBFplain\r\n"), QByteArray("\xEF\xBB\xBFplain\r\n"));
    }

    void asciiAndBrokenUtf8AreTheCodePage() {
        QCOMPARE(DecodeDocument("plain\r\n").encoding, TextEncoding::Windows1252);
        const QByteArray broken = "caf\xC3 \xE9\r\n";
        QCOMPARE(DecodeDocument(broken).encoding, TextEncoding::Windows1252);
        QCOMPARE(RoundTrip(broken), broken);
    }

    void lineBreaks_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb")
                              << QByteArray("a\r\nb\r\n");
        QTest::newRow("lf") << QByteArray("a\nb\n") << QByteArray("a\r\nb")
                            << QByteArray("a\r\nb\r\n");
        QTest::newRow("cr") << QByteArray("a\rb") << QByteArray("a\r\nb")
                            << QByteArray("a\r\nb\r\n");
        QTest::newRow("mixed") << QByteArray("a\r\n\nb\r\r\n") << QByteArray("a\r\n\r\nb\r\n")
                               << QByteArray("a\r\n\r\nb\r\n\r\n");
        QTest::newRow("lf cr is two")
            << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb") << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("blank lines")
            << QByteArray("\r\n\r\n") << QByteArray("\r\n") << QByteArray("\r\n\r\n");
    }
    void lineBreaks() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, saved);
        const DecodedDocument document = DecodeDocument(file);
        QCOMPARE(document.text, text);
        QCOMPARE(EncodeDocument(document.text, document.encoding), saved);
    }

    void charactersTheCodePageLacksBecomeReferences() {
        const QByteArray text = QStringLiteral("\u00E9 \u2192 \U0001F600 \u20AC").toUtf8();
        QCOMPARE(EncodeDocument(text, TextEncoding::Windows1252),
                 QByteArray("\xE9 &#8594; &#128512; \x80\r\n"));
        QCOMPARE(EncodeDocument(text, TextEncoding::Utf8), text + "\r\n");
    }

    void filesThatGoInAsTheyAre() {
        const QByteArray crlf = "<p>a</p>\r\n<p>b</p>\r\n";
        auto direct = DirectDocumentText(crlf.constData(), crlf.size());
        QVERIFY(direct);
        QCOMPARE(QByteArray(direct->data, direct->size), QByteArray("<p>a</p>\r\n<p>b</p>"));
        QCOMPARE(direct->encoding, TextEncoding::Windows1252);
        const QByteArray marked = "\xEF\xBB\xBF\xC3\xA9\r\n";
        direct = DirectDocumentText(marked.constData(), marked.size());
        QVERIFY(direct);
        QCOMPARE(QByteArray(direct->data, direct->size), QByteArray("\xC3\xA9"));
        QCOMPARE(direct->encoding, TextEncoding::Utf8Bom);
        // Other line breaks, and bytes that are not UTF-8, need decoding first.
        for (const QByteArray& other :
             {QByteArray("a\nb\r\n"), QByteArray("a\rb"), QByteArray("caf\xE9\r\n")})
            QVERIFY(!DirectDocumentText(other.constData(), other.size()));
        // Both ways give the same text.
        for (const QByteArray& file : {crlf, marked, QByteArray("x\r\n\r\n"), QByteArray("x")}) {
            direct = DirectDocumentText(file.constData(), file.size());
            QVERIFY(direct);
            const DecodedDocument decoded = DecodeDocument(file);
            QCOMPARE(QByteArray(direct->data, direct->size), decoded.text);
            QCOMPARE(direct->encoding, decoded.encoding);
        }
    }

    void nulBytesSurvive() {
        const QByteArray file("a\0b\r\n", 5);
        QCOMPARE(RoundTrip(file), file);
    }
};

QTEST_GUILESS_MAIN(DocumentCodecTest)
#include "tst_documentcodec.moc"
