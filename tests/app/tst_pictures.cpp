#include "Pictures.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QSet>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

QImage ImageOf(const QIcon& icon, int size) {
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool HasVisiblePixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

// An SVG icon whose engine is missing still is an icon, but draws nothing.
void VerifyDrawn(const QIcon& icon, const QString& name) {
    QVERIFY2(!icon.isNull(), qPrintable(name));
    for (int size : {16, 32}) {
        const QImage image = ImageOf(icon, size);
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY2(HasVisiblePixel(image), qPrintable(name));
    }
}

QSet<QString> FilesIn(const QString& folder) {
    QSet<QString> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        files.insert(folder + QLatin1Char('/') + name);
    return files;
}

} // namespace

class PicturesTest : public QObject, WindowFixture {
    Q_OBJECT

private slots:
    void init() { prepare(); }
    void cleanup() { finish(); }

    void everyButtonOfTheWindowShowsItsOwnIcon() {
        start();
        QList<std::pair<QString, QIcon>> icons;
        for (const char* bar : {"coolBar1", "ToolBar2"}) {
            auto* toolbar = window->findChild<QToolBar*>(QString::fromLatin1(bar));
            QVERIFY(toolbar);
            for (QAction* action : toolbar->actions()) {
                if (!action->isSeparator())
                    icons.append({action->objectName(), action->icon()});
            }
        }
        for (const char* name : {"SpeedButton2", "SpeedButton26"}) {
            auto* button = window->findChild<QToolButton*>(QString::fromLatin1(name));
            QVERIFY(button);
            icons.append({button->objectName(), button->icon()});
        }
        QCOMPARE(icons.size(), 35);
        // Distinct pictures also catch two names wired to the same file.
        QSet<QByteArray> seen;
        for (const auto& [name, icon] : icons) {
            VerifyDrawn(icon, name);
            if (QTest::currentTestFailed())
                return;
            const QImage image = ImageOf(icon, 16);
            const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()),
                                   image.sizeInBytes());
            QVERIFY2(!seen.contains(bytes), qPrintable(name));
            seen.insert(bytes);
        }
        VerifyDrawn(window->windowIcon(), QStringLiteral("window"));
        QVERIFY(ToolbarIcon(QStringLiteral("ToolButton99")).isNull());
        QVERIFY(ToolbarIcon(QString()).isNull());
    }

    void theTableAndTheCompiledFilesAgree() {
        VerifyDrawn(ApplicationIcon(), QStringLiteral("quillon"));
        QSet<QString> named(ToolbarIconFiles().cbegin(), ToolbarIconFiles().cend());
        named.insert(QStringLiteral(":/icons/quillon.svg"));
        QCOMPARE(FilesIn(QStringLiteral(":/icons")), named);
        // Each picture comes with its double-density twin.
        const QSet<QString> pictures = FilesIn(QStringLiteral(":/pictures"));
        QCOMPARE(pictures.size(), 4);
        for (const QString& name : {QStringLiteral("splash"), QStringLiteral("about")}) {
            const QImage single(QStringLiteral(":/pictures/") + name + QStringLiteral(".png"));
            const QImage dense(QStringLiteral(":/pictures/") + name + QStringLiteral("@2x.png"));
            QVERIFY(!single.isNull());
            QCOMPARE(dense.size(), single.size() * 2);
        }
    }

    void picturesHaveTheirSizesAndTheVersion() {
        const QPixmap splash = SplashPicture(TfMain::VersionText());
        QCOMPARE(splash.deviceIndependentSize(), QSizeF(537, 273));
        QVERIFY(SplashPicture(QStringLiteral("7.0 Build 1")).toImage() != splash.toImage());
        QCOMPARE(AboutPicture().deviceIndependentSize(), QSizeF(300, 120));
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
