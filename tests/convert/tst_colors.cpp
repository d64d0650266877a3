#include "ColorSwatch.h"
#include "GammaPanel.h"
#include "RgbToHtml.h"
#include "SystemColors.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

class ColorsTest : public QObject {
    Q_OBJECT

    static void Point(GammaPanel& panel, const QPoint& pixel) {
        QWidget* picture = panel.findChild<QLabel*>("Picture");
        QMouseEvent move(QEvent::MouseMove, pixel, picture->mapToGlobal(pixel), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
    }
    static void Press(GammaPanel& panel, const QPoint& pixel, Qt::MouseButton button) {
        QTest::mousePress(panel.findChild<QLabel*>("Picture"), button, Qt::NoModifier, pixel);
    }

private slots:
    void colorToHtml() {
        QCOMPARE(ColorToHtml(0x000000FF), QStringLiteral("#FF0000"));
        QCOMPARE(ColorToHtml(0x00FF8000), QStringLiteral("#0080FF"));
        QCOMPARE(ColorToHtml(0), QStringLiteral("#000000"));
        QCOMPARE(ColorToHtml(0x00FFFFFF), QStringLiteral("#FFFFFF"));
        QCOMPARE(ColorToHtml(0x00102A0B), QStringLiteral("#0B2A10"));
        // System colours are written with the colour they stand for now.
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Button, QColor(0x12, 0x34, 0x56));
        QApplication::setPalette(palette);
        QCOMPARE(ColorToHtml(kButtonFaceNumber), QStringLiteral("#123456"));
        QCOMPARE(ColorFromNumber(kButtonFaceNumber), QColor(0x12, 0x34, 0x56));
        QCOMPARE(kButtonFaceNumber, -2147483633);
    }

    void rgbToHtml() {
        RgbToHtml color;
        QCOMPARE(color.RgbColor(), 0);
        QCOMPARE(color.HtmlColor(), QStringLiteral("000000"));
        color.SetRgbColor(0x00336699);
        QCOMPARE(color.HtmlColor(), QStringLiteral("996633"));
        color.SetHtmlColor("ff8000");
        QCOMPARE(color.RgbColor(), 0x000080FF);
        QCOMPARE(color.HtmlColor(), QStringLiteral("ff8000"));
        for (const char* bad : {"#FF8000", "GG0000", "12345", "+1FFFF", " 1FFFF", "", "FF 000"}) {
            color.SetHtmlColor(bad);
            QCOMPARE(color.RgbColor(), 0x000080FF);
            QCOMPARE(color.HtmlColor(), QStringLiteral("ff8000"));
        }
        color.SetRgbColor(kButtonFaceNumber);
        QCOMPARE(color.RgbColor(), kButtonFaceNumber);
        QCOMPARE(color.HtmlColor(), ColorToHtml(kButtonFaceNumber).mid(1));
    }

    void thePicture() {
        const QImage picture = GammaPicture();
        QCOMPARE(picture.size(), QSize(45, 96));
        QCOMPARE(ColorToHtml(ColorNumber(picture.pixelColor(22, 0))), QStringLiteral("#FA0000"));
        for (int row : {0, 40, 95}) {
            QCOMPARE(picture.pixelColor(0, row), QColor(Qt::black));
            QCOMPARE(picture.pixelColor(44, row), QColor(Qt::white));
        }
        // The hue goes around the circle down the rows.
        const std::pair<int, int> hues[] = {{16, 60}, {33, 120}, {49, 180}, {65, 240}, {82, 300}};
        for (const auto& [row, hue] : hues)
            QVERIFY(qAbs(picture.pixelColor(22, row).hsvHue() - hue) <= 8);
        QVERIFY(picture.pixelColor(22, 95).hsvHue() > 340);
    }

    void pickingColors() {
        GammaPanel panel;
        panel.show();
        QCOMPARE(panel.size(), QSize(65, 250));
        QCOMPARE(panel.ForegroundColor(), 0);
        QCOMPARE(panel.BackgroundColor(), 0x00FFFFFF);
        QCOMPARE(panel.findChild<QLabel*>("RedLabel")->text(), QStringLiteral("R : ---"));
        QSignalSpy changes(&panel, &GammaPanel::OnChangeColor);

        // A yellow pixel, taken with the right button: only the background changes.
        Point(panel, QPoint(22, 16));
        const qint32 yellow = panel.HoverColor();
        QVERIFY(ColorFromNumber(yellow).red() > 200 && ColorFromNumber(yellow).green() > 200 &&
                ColorFromNumber(yellow).blue() < 40);
        QCOMPARE(panel.findChild<QLabel*>("RedLabel")->text(),
                 QStringLiteral("R : %1").arg(ColorFromNumber(yellow).red(), 3));
        Press(panel, QPoint(22, 16), Qt::RightButton);
        QCOMPARE(panel.BackgroundColor(), yellow);
        QCOMPARE(panel.ForegroundColor(), 0);
        QCOMPARE(changes.size(), 1);

        Point(panel, QPoint(3, 0));
        QCOMPARE(panel.findChild<QLabel*>("GreenLabel")->text(), QStringLiteral("G :   0"));
        Press(panel, QPoint(3, 0), Qt::LeftButton);
        QCOMPARE(panel.ForegroundColor(), panel.HoverColor());
        Press(panel, QPoint(3, 0), Qt::LeftButton);
        QCOMPARE(changes.size(), 3);
        Press(panel, QPoint(3, 0), Qt::MiddleButton);
        QCOMPARE(changes.size(), 3);
    }

    void exchangeAndSwatches() {
        ScriptedPrompts prompts;
        GammaPanel panel;
        panel.show();
        QSignalSpy changes(&panel, &GammaPanel::OnChangeColor);
        QTest::mouseClick(panel.findChild<QLabel*>("Exchange"), Qt::LeftButton);
        QCOMPARE(panel.ForegroundColor(), 0x00FFFFFF);
        QCOMPARE(panel.BackgroundColor(), 0);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.constFirst().at(0).toInt(), 0x00FFFFFF);

        prompts.answer(std::optional<QColor>(QColor(255, 0, 0)));
        QTest::mouseClick(panel.findChild<ColorSwatch*>("ForegroundSwatch"), Qt::LeftButton);
        QCOMPARE(panel.ForegroundColor(), 0x000000FF);
        prompts.answer(std::optional<QColor>());
        QTest::mouseClick(panel.findChild<ColorSwatch*>("BackgroundSwatch"), Qt::LeftButton);
        QCOMPARE(panel.BackgroundColor(), 0);
        QCOMPARE(changes.size(), 2);
        QCOMPARE(prompts.asked.size(), 2);
        QCOMPARE(prompts.asked.constFirst().kind, QStringLiteral("Color"));
        // The panel keeps its size.
        panel.resize(100, 100);
        QCOMPARE(panel.size(), QSize(65, 250));
    }
};

QTEST_MAIN(ColorsTest)
#include "tst_colors.moc"
