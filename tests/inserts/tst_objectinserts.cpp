#include "EditorControl.h"
#include "ObjectHtml.h"
#include "ObjectInserts.h"
#include "RegionalFormats.h"
#include "TfDT.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace {

template <class T> T* Child(QDialog& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s in %s", name, qPrintable(dialog.windowTitle()));
    return child;
}

void Type(QDialog& dialog, const char* name, const QString& text) {
    Child<QLineEdit>(dialog, name)->setText(text);
}

void Click(QDialog& dialog, const char* name) {
    Child<QAbstractButton>(dialog, name)->click();
}

// A script that presses the named button and reports the dialog's result.
ScriptedPrompts::DialogScript Press(const char* button) {
    return [button](QDialog& dialog) {
        Click(dialog, button);
        return dialog.result();
    };
}

} // namespace

class ObjectInsertsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<EditorControl> editor;

    // The editor holds "ab" with the caret between the two letters.
    void caretBetween() {
        editor->SetText("ab");
        editor->SetSelectionStart(2);
    }

private slots:
    void init() {
        prompts = std::make_unique<ScriptedPrompts>();
        editor = std::make_unique<EditorControl>();
        editor->show();
    }
    void cleanup() {
        editor.reset();
        prompts.reset();
    }

    void linkAndImageHtml() {
        QCOMPARE(LinkHtml("page.html", "Next", true),
                 QStringLiteral("<a href=\"page.html\" target=\"_blank\">Next</a>"));
        QCOMPARE(LinkHtml("page.html", "Next", false),
                 QStringLiteral("<a href=\"page.html\">Next</a>"));
        QCOMPARE(LinkHtml("", "Home", false), QStringLiteral("<a href=\"\">Home</a>"));
        QCOMPARE(MailLinkHtml("info", "Mail"), QStringLiteral("<a href=\"mailto:info\">Mail</a>"));
        // Typed text goes in untouched, quotes and ampersands included.
        QCOMPARE(LinkHtml("a?b=1&c=\"2\"", "<b>x</b>", false),
                 QStringLiteral("<a href=\"a?b=1&c=\"2\"\"><b>x</b></a>"));
        QCOMPARE(ImageHtml("logo.gif", true), QStringLiteral("<img src=\"logo.gif\" border=0>"));
        QCOMPARE(ImageHtml("logo.gif", false), QStringLiteral("<img src=\"logo.gif\">"));
    }

    void flashHtml() {
        const QString noSize = FlashHtml("intro.swf", 400, 0, false);
        QStringList lines = noSize.split("\r\n");
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.last(), QString());
        QCOMPARE(lines.at(0),
                 "<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" codebase=\"" +
                     QLatin1String(kFlashCodebase) + "\" id=untitled>");
        QCOMPARE(lines.at(1), QStringLiteral("<param name=movie value=\"intro.swf\">"));
        QCOMPARE(lines.at(2), QStringLiteral("<param name=quality value=high>"));
        QCOMPARE(lines.at(3), QStringLiteral("<param name=loop value=\"false\">"));
        QCOMPARE(lines.at(4), QStringLiteral("<embed src=\"intro.swf\" loop=false quality=high"));
        QCOMPARE(lines.at(5),
                 QStringLiteral("width= height= type=\"application/x-shockwave-flash\""));
        QCOMPARE(lines.at(6), "pluginspage=\"" + QLatin1String(kFlashPluginsPage) + "\">");
        QCOMPARE(lines.at(7), QStringLiteral("</embed>"));
        QCOMPARE(lines.at(8), QStringLiteral("</object>"));
        // A negative size counts as no size too.
        QCOMPARE(FlashHtml("intro.swf", 400, -300, false), noSize);

        lines = FlashHtml("intro.swf", 400, 300, true).split("\r\n");
        QVERIFY(lines.at(0).endsWith("\" id=untitled width=400 height=300>"));
        QCOMPARE(lines.at(3), QStringLiteral("<param name=loop value=\"true\">"));
        QCOMPARE(lines.at(4), QStringLiteral("<embed src=\"intro.swf\" loop=true quality=high"));
    }

    void horizontalLineHtml() {
        QCOMPARE(HorizontalLineHtml("1", "100", true, 0),
                 QStringLiteral("<hr size=1 width=100% color=#000000>"));
        QCOMPARE(HorizontalLineHtml("3", "600", false, 255 + 256 * 128),
                 QStringLiteral("<hr size=3 width=600 color=#FF8000>"));
        QCOMPARE(HorizontalLineHtml("", "", false, 0xFF0000),
                 QStringLiteral("<hr size= width= color=#0000FF>"));
    }

    void linkDialog() {
        // The Url page first: the new-window box starts unticked.
        prompts->answer([](QDialog& dialog) {
            Type(dialog, "Edit2", "page.html");
            Type(dialog, "Edit3", "Next");
            return Press("OkButton")(dialog);
        });
        editor->SetText("x SEL y");
        editor->SetSelectionStart(3);
        editor->SetSelectionEnd(6);
        RunLinkCommand(*editor);
        QCOMPARE(editor->Line(0), QStringLiteral("x <a href=\"page.html\">Next</a> y"));
        QCOMPARE(prompts->asked.constFirst().text, QStringLiteral("Add link ..."));

        // Ok on the Mail To page makes a mail link; the Url page is ignored.
        prompts->answer([](QDialog& dialog) {
            Type(dialog, "Edit2", "page.html");
            Type(dialog, "Edit3", "Next");
            Click(dialog, "newwd");
            Child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(1);
            Type(dialog, "Edit1", "info");
            Type(dialog, "Edit4", "Mail");
            return Press("OkButton")(dialog);
        });
        editor->SetText("");
        RunLinkCommand(*editor);
        QCOMPARE(editor->Line(0), QStringLiteral("<a href=\"mailto:info\">Mail</a>"));

        // Filled on Mail To but back on Url when Ok is pressed: a web link.
        prompts->answer([](QDialog& dialog) {
            Child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(1);
            Type(dialog, "Edit1", "info");
            Child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(0);
            Type(dialog, "Edit3", "Top");
            Click(dialog, "newwd");
            return Press("OkButton")(dialog);
        });
        editor->SetText("");
        RunLinkCommand(*editor);
        QCOMPARE(editor->Line(0), QStringLiteral("<a href=\"\" target=\"_blank\">Top</a>"));
    }

    void imageDialogTakesTheBareFileName() {
        prompts->answer([this](QDialog& dialog) {
            prompts->answer(QStringList{"/home/ann/pictures/holiday/beach photo.jpg"});
            Click(dialog, "Button1");
            return Press("OkButton")(dialog);
        });
        caretBetween();
        RunImageCommand(*editor);
        QCOMPARE(editor->Line(0), QStringLiteral("a<img src=\"beach photo.jpg\" border=0>b"));
        QCOMPARE(prompts->asked.size(), 2);
        const FileDialogRequest& request = prompts->asked.at(1).files;
        QCOMPARE(request.filters.size(), 2);
        QCOMPARE(request.filters.at(0).label,
                 QStringLiteral("Image Files (*.jpg;*.jpeg;*.png;*.gif;*.svg;*.webp;*.bmp)"));
        QCOMPARE(request.filters.at(0).patterns,
                 QStringLiteral("*.jpg;*.jpeg;*.png;*.gif;*.svg;*.webp;*.bmp"));
        QCOMPARE(request.filters.at(1).label, QStringLiteral("All Files (*.*)"));
        QCOMPARE(request.filters.at(1).patterns, QStringLiteral("*.*"));

        // A cancelled file dialog leaves the typed source; no border box unticked.
        prompts->answer([](QDialog& dialog) {
            Type(dialog, "Edit1", "img/a.png");
            Click(dialog, "Button1");
            Click(dialog, "CheckBox1");
            return Press("OkButton")(dialog);
        });
        editor->SetText("");
        RunImageCommand(*editor);
        QCOMPARE(editor->Line(0), QStringLiteral("<img src=\"img/a.png\">"));
        QCOMPARE(prompts->unanswered, 1);
    }

    void flashDialog() {
        prompts->answer([this](QDialog& dialog) {
            prompts->answer(QStringList{"/srv/movies/intro.swf"});
            Click(dialog, "Button1");
            Child<QSpinBox>(dialog, "SpinEdit1")->setValue(300);
            Child<QSpinBox>(dialog, "SpinEdit2")->setValue(400);
            Click(dialog, "CheckBox1");
            return Press("OkButton")(dialog);
        });
        caretBetween();
        RunFlashCommand(*editor);
        QCOMPARE(editor->Text(), "a" + FlashHtml("intro.swf", 400, 300, true) + "b\r\n");
        QCOMPARE(prompts->asked.at(0).text, QStringLiteral("Insert Flash Movie"));
        QVERIFY(prompts->asked.at(1).files.filters.isEmpty());

        // A height field emptied by the user counts as 0: no size is written.
        prompts->answer([](QDialog& dialog) {
            Type(dialog, "Edit1", "m.swf");
            Child<QSpinBox>(dialog, "SpinEdit2")->setValue(400);
            auto* height = Child<QSpinBox>(dialog, "SpinEdit1");
            height->setValue(300);
            height->findChild<QLineEdit*>()->clear();
            return Press("OkButton")(dialog);
        });
        caretBetween();
        RunFlashCommand(*editor);
        QCOMPARE(editor->Text(), "a" + FlashHtml("m.swf", 400, 0, false) + "b\r\n");
    }

    void cancelInsertsNothing() {
        editor->SetText("keep");
        editor->SelectAll();
        prompts->answer([](QDialog& dialog) {
            Type(dialog, "Edit3", "x");
            return Press("CancelButton")(dialog);
        });
        RunLinkCommand(*editor);
        // Closing by the title bar is a cancel too.
        prompts->answer([](QDialog& dialog) {
            dialog.show();
            dialog.close();
            return dialog.result();
        });
        RunLinkCommand(*editor);
        prompts->answer(Press("CancelButton"));
        RunImageCommand(*editor);
        prompts->answer([](QDialog& dialog) {
            dialog.show();
            dialog.close();
            return dialog.result();
        });
        RunFlashCommand(*editor);
        prompts->answer(Press("CancelButton"));
        RunHorizontalLineCommand(editor.get());
        prompts->answer(Press("CancelButton"));
        RunDateTimeCommand(editor.get());
        QCOMPARE(prompts->asked.size(), 6);
        QCOMPARE(editor->Text(), QStringLiteral("keep\r\n"));
        QVERIFY(!editor->CanUndo());
    }

    void horizontalLineDialog() {
        prompts->answer(Press("OkButton"));
        caretBetween();
        RunHorizontalLineCommand(editor.get());
        QCOMPARE(editor->Line(0), QStringLiteral("a<hr size=1 width=100% color=#000000>b"));

        // The swatch opens the colour dialog; a cancelled choice keeps the colour.
        bool escapeKeptItOpen = false;
        prompts->answer([this, &escapeKeptItOpen](QDialog& dialog) {
            // Only the buttons close it.
            dialog.show();
            QTest::keyClick(&dialog, Qt::Key_Escape);
            escapeKeptItOpen = dialog.isVisible();
            QWidget* swatch = Child<QWidget>(dialog, "Panel1");
            prompts->answer(std::optional<QColor>(QColor(255, 128, 0)));
            QTest::mouseClick(swatch, Qt::LeftButton);
            QTest::mouseClick(swatch, Qt::LeftButton);
            Type(dialog, "Edit2", "2");
            Type(dialog, "Edit1", "600");
            Click(dialog, "CheckBox1");
            return Press("OkButton")(dialog);
        });
        editor->SetText("");
        RunHorizontalLineCommand(editor.get());
        QCOMPARE(editor->Line(0), QStringLiteral("<hr size=2 width=600 color=#FF8000>"));
        QVERIFY(escapeKeptItOpen);
        QCOMPARE(prompts->askedTexts().size(), 4);
        QCOMPARE(prompts->unanswered, 1);
    }

    void dateDialogFillsItsFieldsFromTheMoment() {
        const QDateTime moment(QDate(2024, 2, 29), QTime(7, 5, 9));
        TfDT dialog(moment);
        const QString date = ShortDateText(moment.date());
        const QString time = LongTimeText(moment.time());
        QCOMPARE(Child<QLineEdit>(dialog, "label3")->text(), date);
        QCOMPARE(Child<QLineEdit>(dialog, "label4")->text(), time);
        QVERIFY(Child<QRadioButton>(dialog, "RadioButton3")->isChecked());
        QCOMPARE(dialog.KeptText(), date + " " + time);
        Click(dialog, "RadioButton1");
        QCOMPARE(dialog.KeptText(), date);
    }

    void dateDialogKeepsTheTextOfTheLastChoice() {
        // "Time" takes the time field as it is; a later edit is not taken.
        QString timeWhenChosen;
        prompts->answer([&](QDialog& dialog) {
            Click(dialog, "RadioButton2");
            timeWhenChosen = Child<QLineEdit>(dialog, "label4")->text();
            Type(dialog, "label4", "changed later");
            return Press("OkButton")(dialog);
        });
        editor->SetText("");
        RunDateTimeCommand(editor.get());
        QVERIFY(!timeWhenChosen.isEmpty());
        QCOMPARE(editor->Line(0), timeWhenChosen);

        // Edits made before a click are taken, empty fields included; clicking
        // the choice already made takes the fields again.
        prompts->answer([](QDialog& dialog) {
            Type(dialog, "label3", "");
            Type(dialog, "label4", "noon");
            Click(dialog, "RadioButton3");
            Type(dialog, "label4", "midnight");
            return Press("OkButton")(dialog);
        });
        editor->SetText("");
        RunDateTimeCommand(editor.get());
        QCOMPARE(editor->Line(0), QStringLiteral(" noon"));

        // Edits without any click after them: the text from when it was shown.
        QString shown;
        prompts->answer([&](QDialog& dialog) {
            shown = Child<QLineEdit>(dialog, "label3")->text() + " " +
                    Child<QLineEdit>(dialog, "label4")->text();
            Type(dialog, "label3", "never");
            return Press("OkButton")(dialog);
        });
        editor->SetText("");
        RunDateTimeCommand(editor.get());
        QCOMPARE(editor->Line(0), shown);
    }

    void withoutADocumentTheDialogsStillShow() {
        prompts->answer(Press("OkButton"));
        RunHorizontalLineCommand(nullptr);
        prompts->answer(Press("OkButton"));
        RunDateTimeCommand(nullptr);
        QCOMPARE(prompts->askedTexts(), (QStringList{"Horizontale Line", "Date / Time"}));
        QCOMPARE(prompts->unanswered, 0);
    }
};

QTEST_MAIN(ObjectInsertsTest)
#include "tst_objectinserts.moc"
