#include "EditorControl.h"
#include "FileManagerView.h"
#include "ImageBrowser.h"
#include "MainPanels.h"
#include "PictureReader.h"
#include "TChildForm.h"
#include "TfMain.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QListView>
#include <QMenu>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

class ImageBrowserTest : public QObject, WindowFixture {
    Q_OBJECT

    ImageBrowserPanel* browser() const { return window->ImageBrowser(); }
    QAction* act(const char* name) const { return window->action(QString::fromLatin1(name)); }
    // A small picture; the name's extension need not match its format.
    QString picture(const QString& name) {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = folder->file(name);
        image.save(path, "BMP");
        return path;
    }
    void openWithDialog(const QStringList& files) {
        prompts->answer(files);
        act("Open1")->trigger();
    }
    QString documentText() const { return window->ActiveEditor()->Text(); }
    // What a user's double click sends: a click, then the double click and
    // its release.
    static void doubleClick(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton);
        QTest::mouseDClick(widget, Qt::LeftButton);
        QTest::mouseRelease(widget, Qt::LeftButton);
    }

private slots:
    void init() {
        prepare();
        start("[ToolBars]\r\nFileManager=1\r\n");
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { finish(); }

    void steppingThroughThreePictures() {
        QVERIFY(!browser()->isVisible());
        picture("page.html");
        openWithDialog(
            {picture("a.bmp"), folder->file("page.html"), picture("b.JPG"), picture("c.GIF")});
        QVERIFY(browser()->isVisible());
        QCOMPARE(browser()->Status()->PanelText(0), QStringLiteral("Press esc to close ..."));
        QCOMPARE(browser()->Status()->PanelText(2), QStringLiteral("a.bmp"));
        QVERIFY(browser()->Display()->HasPicture());
        QVERIFY(browser()->NextButton()->isEnabled());
        QVERIFY(!browser()->PreviousButton()->isEnabled());
        QTest::mouseClick(browser()->NextButton(), Qt::LeftButton);
        QTest::mouseClick(browser()->NextButton(), Qt::LeftButton);
        QCOMPARE(browser()->Status()->PanelText(2), QStringLiteral("c.GIF"));
        QVERIFY(!browser()->NextButton()->isEnabled());
        QVERIFY(browser()->PreviousButton()->isEnabled());
        QTest::mouseClick(browser()->PreviousButton(), Qt::LeftButton);
        QCOMPARE(browser()->Status()->PanelText(2), QStringLiteral("b.JPG"));
        QVERIFY(browser()->NextButton()->isEnabled());
        QVERIFY(browser()->PreviousButton()->isEnabled());

        // One picture: both step buttons stay off; an open without
        // pictures empties the list and leaves nothing shown.
        openWithDialog({folder->file("a.bmp")});
        QVERIFY(!browser()->NextButton()->isEnabled());
        QVERIFY(!browser()->PreviousButton()->isEnabled());
        act("New1")->trigger();
        QVERIFY(!browser()->isVisible());
        openWithDialog({folder->file("page.html")});
        QVERIFY(window->PictureList().isEmpty());
        QVERIFY(!browser()->Display()->HasPicture());
    }

    void picturesOfTheWeb() {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString png = folder->file("shot.png");
        const QString webp = folder->file("photo.WEBP");
        QVERIFY(image.save(png, "PNG"));
        QVERIFY2(image.save(webp, "WEBP"), "the WebP image plugin is missing");
        const QString svg = folder->file("logo.svg");
        QFile file(svg);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" height=\"10\">"
                   "<rect width=\"20\" height=\"10\" fill=\"red\"/></svg>");
        file.close();
        openWithDialog({png, svg, webp});
        QVERIFY(window->Documents().isEmpty());
        for (const char* name : {"shot.png", "logo.svg", "photo.WEBP"}) {
            QCOMPARE(browser()->Status()->PanelText(2), QString::fromLatin1(name));
            QVERIFY2(browser()->Display()->HasPicture(), name);
            browser()->NextButton()->click();
        }
    }

    void metafiles() {
        // A placeable metafile of 100 x 100 units holding one rectangle.
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        const quint16 placeable[] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 96, 0, 0};
        quint16 checksum = 0;
        for (quint16 word : placeable) {
            out << word;
            checksum ^= word;
        }
        out << checksum;
        const QList<QList<quint16>> records = {
            {0x020B, 0, 0}, {0x020C, 100, 100}, {0x041B, 90, 90, 10, 10}, {0x0000}};
        quint32 words = 9;
        for (const auto& record : records)
            words += 2 + record.size();
        out << quint16(1) << quint16(9) << quint16(0x0300) << words << quint16(0) << quint32(7)
            << quint16(0);
        for (const auto& record : records) {
            out << quint32(2 + record.size());
            for (quint16 word : record)
                out << word;
        }
        QFile wmf(folder->file("drawing.WMF"));
        QVERIFY(wmf.open(QIODevice::WriteOnly));
        wmf.write(bytes);
        wmf.close();
        QFile emf(folder->file("drawing.emf"));
        QVERIFY(emf.open(QIODevice::WriteOnly));
        emf.write(QByteArray(64, '\1'));
        emf.close();
        QVERIFY(ReadPicture(emf.fileName()).isNull());
        if (QStandardPaths::findExecutable("wmf2gd").isEmpty())
            QSKIP("libwmf-bin is not installed");
        QVERIFY(!ReadPicture(wmf.fileName()).isNull());
    }

    void viewToggleEscapeAndClose() {
        openWithDialog({picture("logo.gif")});
        QWidget* picture = browser()->Display()->widget();
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(!window->FileManager()->isVisible());
        QCOMPARE(browser()->Status()->PanelText(1), QStringLiteral("Fullscreen View"));
        // At least six pixels a character, and never narrower than the text.
        const auto fits = [this] {
            const auto* status = browser()->Status();
            const QString text = status->PanelText(1);
            return status->PanelWidth(1) >= 6 * text.size() &&
                   status->PanelWidth(1) > status->fontMetrics().horizontalAdvance(text);
        };
        QVERIFY(fits());
        QTest::mouseClick(browser()->CloseButton(), Qt::LeftButton);
        QVERIFY(!browser()->isVisible());
        QVERIFY(window->FileManager()->isVisible());

        // Esc leaves the full view as it is; the next click ends it.
        act("ImageBrowser1")->trigger();
        QVERIFY(browser()->isVisible());
        QTest::mouseClick(picture, Qt::LeftButton);
        QTest::keyClick(browser()->Display(), Qt::Key_Escape);
        QVERIFY(!browser()->isVisible());
        QVERIFY(!window->FileManager()->isVisible());
        act("ImageViewer1")->trigger();
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(window->FileManager()->isVisible());
        QCOMPARE(browser()->Status()->PanelText(1), QStringLiteral("Normal View"));
        QVERIFY(fits());
        act("ToolButton23")->trigger();
        QVERIFY(!browser()->isVisible());

        // A double click switches the view once, as the display's hint says.
        act("ToolButton23")->trigger();
        doubleClick(picture);
        QVERIFY(!window->FileManager()->isVisible());
        QCOMPARE(browser()->Status()->PanelText(1), QStringLiteral("Fullscreen View"));
    }

    void firstStatusPanelIsCentred() {
        openWithDialog({picture("logo.gif")});
        BrowserStatusBar* status = browser()->Status();
        const QImage shot = status->grab().toImage();
        const QRect panel = status->PanelRect(0).adjusted(2, 2, -2, -2);
        const int background = qGray(status->palette().color(QPalette::Window).rgb());
        int left = panel.right();
        int right = panel.left();
        for (int x = panel.left(); x <= panel.right(); ++x) {
            for (int y = panel.top(); y <= panel.bottom(); ++y) {
                if (qAbs(qGray(shot.pixel(x, y)) - background) > 96) {
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
            }
        }
        QVERIFY(right > left);
        QVERIFY2(qAbs((left - panel.left()) - (panel.right() - right)) <= 3,
                 qPrintable(QStringLiteral("text from %1 to %2").arg(left).arg(right)));
    }

    void addingPicturesAndFilesToTheDocument() {
        act("New1")->trigger();
        QTest::mouseClick(window->ImageBrowser()->AddButton(), Qt::LeftButton);
        openWithDialog({picture("logo.gif")});
        QTest::mouseClick(browser()->AddButton(), Qt::LeftButton);
        QVERIFY(documentText().contains("<IMG SRC=\"logo.gif\" Border=0>"));

        // The file manager's entry: pictures at once, other files asked.
        picture("photo.JPG");
        picture("menu.inc.html");
        FileManagerView* view = window->FileView();
        view->SelectFolder(folder->path());
        view->ApplyFilter("*.JPG;*.html");
        QTRY_COMPARE(view->ListedNames(), (QStringList{"menu.inc.html", "photo.JPG"}));
        QListView* list = view->List();
        QAction* add = view->ListMenu()->findChild<QAction*>("AddSelectedfiletodocument1");
        const auto select = [&](int row) {
            list->setCurrentIndex(list->model()->index(row, 0, list->rootIndex()));
        };
        select(1);
        add->trigger();
        QVERIFY(documentText().contains("<img src=\"photo.JPG\" border=0>"));
        QVERIFY(prompts->askedTexts().filter("include").isEmpty());
        select(0);
        prompts->answer(YesNoCancel::No);
        add->trigger();
        QVERIFY(documentText().contains("<a href=\"menu.inc.html\">menu</a>"));
        prompts->answer(YesNoCancel::Yes);
        add->trigger();
        QVERIFY(documentText().contains("<!--#include file=\"menu.inc.html\" -->"));
        const QString before = documentText();
        prompts->answer(YesNoCancel::Cancel);
        add->trigger();
        QCOMPARE(documentText(), before);
        QCOMPARE(prompts->askedTexts().last(),
                 QStringLiteral("Do you wish to include the file ? Otherwise a link to the file "
                                "will be made !"));
    }
};

QTEST_MAIN(ImageBrowserTest)
#include "tst_imagebrowser.moc"
