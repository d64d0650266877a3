#include "EditorControl.h"
#include "FileManagerView.h"
#include "ImageBrowser.h"
#include "MainPanels.h"
#include "TChildForm.h"
#include "TfMain.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QImage>
#include <QListView>
#include <QMenu>
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

    void viewToggleEscapeAndClose() {
        openWithDialog({picture("logo.gif")});
        QWidget* picture = browser()->Display()->widget();
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(!window->FileManager()->isVisible());
        QCOMPARE(browser()->Status()->PanelText(1), QStringLiteral("Fullscreen View"));
        QCOMPARE(browser()->Status()->PanelWidth(1), 90);
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
        QCOMPARE(browser()->Status()->PanelWidth(1), 66);
        act("ToolButton23")->trigger();
        QVERIFY(!browser()->isVisible());
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
