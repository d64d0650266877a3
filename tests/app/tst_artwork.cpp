#include "Artwork.h"

#include <QImage>
#include <QSet>
#include <QTest>

namespace {

const char* const kButtonNames[] = {
    "ToolButton1",  "ToolButton2",  "ToolButton3",  "ToolButton4",  "ToolButton6",   "ToolButton7",
    "ToolButton9",  "ToolButton21", "ToolButton22", "ToolButton23", "ToolButton14",  "ToolButton12",
    "ToolButton13", "ToolButton29", "ToolButton15", "ToolButton20", "ToolButton46",  "ToolButton47",
    "ToolButton48", "ToolButton60", "ToolButton55", "ToolButton56", "ToolButton57",  "ToolButton50",
    "ToolButton51", "ToolButton53", "ToolButton25", "ToolButton26", "ToolButton27",  "ToolButton59",
    "ToolButton30", "ToolButton32", "ToolButton31", "SpeedButton2", "SpeedButton26", "SpeedButton3",
};

bool HasVisiblePixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void everyButtonHasItsOwnVisibleIcon() {
        // Distinct pictures also catch two names wired to the same painting.
        QSet<QByteArray> seen;
        for (const char* name : kButtonNames) {
            const QIcon icon = ToolbarIcon(QString::fromLatin1(name));
            QVERIFY2(!icon.isNull(), name);
            const QImage image =
                icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(16, 16));
            QVERIFY2(HasVisiblePixel(image), name);
            const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()),
                                   image.sizeInBytes());
            QVERIFY2(!seen.contains(bytes), name);
            seen.insert(bytes);
            QCOMPARE(icon.pixmap(32, 32).size(), QSize(32, 32));
        }
    }

    void unknownNamesGiveNoIcon() {
        QVERIFY(ToolbarIcon(QStringLiteral("ToolButton99")).isNull());
        QVERIFY(ToolbarIcon(QString()).isNull());
    }

    void picturesHaveTheirSizes() {
        QCOMPARE(SplashPicture().size(), QSize(537, 273));
        QCOMPARE(AboutPicture().size(), QSize(300, 120));
        const QIcon icon = ApplicationIcon();
        for (int size : {16, 32, 48, 64})
            QCOMPARE(icon.pixmap(size, size).size(), QSize(size, size));
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
