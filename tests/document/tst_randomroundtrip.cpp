// Ten thousand generated files opened into the editor and saved again must
// give back their bytes, apart from the line-end rule.
#include "EditorControl.h"
#include "support/SavedLineEnds.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char* const kBreaks[] = {"\r\n", "\r", "\n", "\n\r", "\r\r\n"};

// Text of random characters from every plane, with every kind of line break.
QByteArray RandomUtf8(QRandomGenerator& random, int characters) {
    QString text;
    for (int i = 0; i < characters; ++i) {
        const int kind = random.bounded(10);
        char32_t c = 0;
        if (kind < 4)
            c = char32_t(random.bounded(0x20, 0x7F));
        else if (kind < 6)
            c = char32_t(random.bounded(0x80, 0x800));
        else if (kind < 8)
            c = char32_t(random.bounded(0x800, 0xD800));
        else if (kind < 9)
            c = char32_t(random.bounded(0x10000, 0x110000));
        if (c == 0) {
            text += QLatin1String(kBreaks[random.bounded(5)]);
            continue;
        }
        text += QString::fromUcs4(&c, 1);
    }
    return text.toUtf8();
}

QByteArray RandomFile(QRandomGenerator& random, int round) {
    const int size = random.bounded(200);
    switch (round % 6) {
    case 0: { // any bytes at all
        QByteArray bytes(size, Qt::Uninitialized);
        for (char& b : bytes)
            b = char(random.bounded(256));
        return bytes;
    }
    case 1:
        return RandomUtf8(random, size);
    case 2:
        return "\xEF\xBB\xBF" + RandomUtf8(random, size);
    case 3: { // nothing but line breaks and a little ASCII
        QByteArray bytes;
        for (int i = 0; i < size / 4; ++i)
            bytes += random.bounded(3) ? QByteArray(kBreaks[random.bounded(5)]) : QByteArray("x");
        return bytes;
    }
    case 4:
        return round % 12 == 4 ? QByteArray() : QByteArray(1, '\0');
    default: { // code-page text with NULs and control characters
        QByteArray bytes(size, Qt::Uninitialized);
        for (char& b : bytes)
            b = char(random.bounded(4) ? random.bounded(0x20, 0x100) : random.bounded(0x20));
        return bytes;
    }
    }
}

} // namespace

class RandomRoundTripTest : public QObject {
    Q_OBJECT
private slots:
    void openAndSaveGiveTheBytesBack() {
        QTemporaryDir folder;
        const QString source = folder.filePath(QStringLiteral("in.txt"));
        const QString target = folder.filePath(QStringLiteral("out.txt"));
        QRandomGenerator random(20261209);
        EditorControl editor;
        for (int round = 0; round < 10000; ++round) {
            const QByteArray bytes = RandomFile(random, round);
            {
                QFile file(source);
                QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                QCOMPARE(file.write(bytes), bytes.size());
            }
            editor.LoadFromFile(source);
            editor.SaveToFile(target);
            QFile saved(target);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            const QByteArray result = saved.readAll();
            if (result != SavedLineEnds(bytes))
                QFAIL(qPrintable(QStringLiteral("round %1: %2 gave %3")
                                     .arg(round)
                                     .arg(QString::fromLatin1(bytes.toHex()),
                                          QString::fromLatin1(result.toHex()))));
        }
    }
};

QTEST_MAIN(RandomRoundTripTest)
#include "tst_randomroundtrip.moc"
