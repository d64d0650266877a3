#include "ColorSwatch.h"
#include "EditorControl.h"
#include "ListHtml.h"
#include "SettingsStore.h"
#include "SpinField.h"
#include "TableHtml.h"
#include "TextInserts.h"
#include "TfNumber.h"
#include "TfTable.h"
#include "support/ScriptedPrompts.h"
#include "support/TemporarySettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

// Lines as the inserts write them: each one followed by CR LF.
QString Lines(const QStringList& lines) {
    return lines.join("\r\n") + "\r\n";
}

template <class T> T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

template <class T> T* Captioned(QWidget& parent, const QString& text) {
    for (T* widget : parent.findChildren<T*>())
        if (widget->text() == text)
            return widget;
    qFatal("no widget captioned %s", qPrintable(text));
}

// A dialog script that returns the dialog's result once the body is done.
ScriptedPrompts::DialogScript Script(std::function<void(QDialog&)> body) {
    return [body](QDialog& dialog) {
        body(dialog);
        return dialog.result();
    };
}

bool FocusIn(QWidget* widget) {
    QWidget* focus = widget->window()->focusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

// Scripted prompts that also note where each colour dialog opened.
class ColorPrompts : public ScriptedPrompts {
public:
    QList<QColor> openedAt;
    std::optional<QColor> chooseColor(const QColor& initial) override {
        openedAt << initial;
        return ScriptedPrompts::chooseColor(initial);
    }
};

} // namespace

class TableAndListsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TemporarySettings> settings;
    std::unique_ptr<ColorPrompts> prompts;
    std::unique_ptr<EditorControl> editor;

    // The editor holding "ab XX cd" with "XX" selected.
    void selectMiddle() {
        editor->SetText("ab XX cd");
        editor->SetSelectionStart(4);
        editor->SetSelectionEnd(6);
        QCOMPARE(editor->SelectedText(), QStringLiteral("XX"));
    }

private slots:
    void init() {
        settings = std::make_unique<TemporarySettings>();
        prompts = std::make_unique<ColorPrompts>();
        editor = std::make_unique<EditorControl>();
        editor->resize(500, 300);
        editor->show();
    }
    void cleanup() {
        editor.reset();
        prompts.reset();
        settings.reset();
    }

    void tableHtml() {
        TableOptions options;
        options.rows = 2;
        options.columns = 2;
        const QString twoByTwo =
            Lines({"<table align=Right width=100%  border=0 cellpadding=5 cellspacing=0>", "<tr>",
                   "   <td>   </td>", "   <td>   </td>", "</tr>", "<tr>", "   <td>   </td>",
                   "   <td>   </td>", "</tr>", "</table>"});
        QCOMPARE(TableHtml(options), twoByTwo);

        options.rows = 3;
        options.columns = 1;
        QCOMPARE(TableHtml(options).count("<tr>\r\n   <td>   </td>\r\n</tr>\r\n"), 3);

        // Fewer than one row still gives a row; fewer than one column, empty rows.
        options.rows = 0;
        options.columns = 2;
        QCOMPARE(TableHtml(options).count("<tr>"), 1);
        options.rows = -4;
        QCOMPARE(TableHtml(options).count("<tr>"), 1);
        options.rows = 2;
        options.columns = 0;
        QVERIFY(TableHtml(options).endsWith("\r\n<tr>\r\n</tr>\r\n<tr>\r\n</tr>\r\n</table>\r\n"));

        TableOptions bordered;
        bordered.alignment = "Center";
        bordered.border = true;
        bordered.borderSize = "2";
        bordered.borderColor = 0x0000FF; // red
        bordered.background = 0x00FFFF;  // yellow
        QCOMPARE(TableOpeningTag(bordered),
                 QStringLiteral("<table align=Center width=100% BGColor=#FFFF00  border=2 "
                                "bordercolor=#FF0000 cellpadding=5 cellspacing=0>"));
        // Values typed by the user go in as typed; any other background shows.
        bordered.borderSize = "2px";
        bordered.width = "50%";
        bordered.background = 0x00FFFE;
        bordered.cellPadding = -3;
        bordered.cellSpacing = 12;
        QCOMPARE(TableOpeningTag(bordered),
                 QStringLiteral("<table align=Center width=50% BGColor=#FEFF00  border=2px "
                                "bordercolor=#FF0000 cellpadding=-3 cellspacing=12>"));
        // The border colour is only written with a border.
        bordered.border = false;
        QVERIFY(!TableOpeningTag(bordered).contains("bordercolor"));
    }

    void spinFieldTakesAnyText() {
        SpinField field(5);
        QCOMPARE(field.Text(), QStringLiteral("5"));
        QCOMPARE(field.Value(), 5);
        field.SetText("x");
        QCOMPARE(field.Value(), 0);
        field.stepBy(1);
        QCOMPARE(field.Text(), QStringLiteral("1"));
        field.SetText("-7");
        field.stepBy(-3);
        QCOMPARE(field.Value(), -10);
        field.SetText("2147483647");
        field.stepBy(1);
        QCOMPARE(field.Value(), 2147483647);
    }

    void tableFromTheDefaults() {
        prompts->answer(Script([](QDialog& dialog) {
            Child<QLineEdit>(dialog, "Edit1")->setText("2");
            Child<QLineEdit>(dialog, "Edit2")->setText("2");
            Captioned<QPushButton>(dialog, "Create Table")->click();
        }));
        selectMiddle();
        RunTableCommand(editor.get());
        QCOMPARE(prompts->askedTexts(), QStringList{"Table Creator"});
        TableOptions twoByTwo;
        twoByTwo.rows = 2;
        twoByTwo.columns = 2;
        QCOMPARE(editor->Text(), "ab " + TableHtml(twoByTwo) + " cd\r\n");
    }

    void borderFieldsAndTitleBarClose() {
        prompts->answer(Script([](QDialog& dialog) {
            // The border fields show only while "Use Border" is ticked.
            auto* border = Child<QCheckBox>(dialog, "Border");
            QVERIFY(!border->isChecked());
            QVERIFY(Child<SpinField>(dialog, "edit4")->isHidden());
            QVERIFY(Child<ColorSwatch>(dialog, "Panel1")->isHidden());
            QVERIFY(!Child<QLabel>(dialog, "SizeLabel")->isEnabled());
            QVERIFY(!Child<QLabel>(dialog, "BorderColorLabel")->isEnabled());
            border->setChecked(true);
            QVERIFY(!Child<SpinField>(dialog, "edit4")->isHidden());
            QVERIFY(!Child<ColorSwatch>(dialog, "Panel1")->isHidden());
            QVERIFY(Child<QLabel>(dialog, "SizeLabel")->isEnabled());
            QVERIFY(Child<QLabel>(dialog, "BorderColorLabel")->isEnabled());

            // Closing by the title bar.
            dialog.show();
            dialog.close();
        }));
        selectMiddle();
        RunTableCommand(editor.get());
        QVERIFY(prompts->queueEmpty());
        QCOMPARE(prompts->askedTexts(), QStringList{"Table Creator"});
        QCOMPARE(editor->Text(), QStringLiteral("ab XX cd\r\n"));
    }

    void tableChecksComeInOrderAndKeepTheDialogOpen() {
        prompts->answer(Script([](QDialog& dialog) {
            dialog.show();
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            auto* create = Captioned<QPushButton>(dialog, "Create Table");
            auto* rows = Child<QLineEdit>(dialog, "Edit1");
            auto* columns = Child<QLineEdit>(dialog, "Edit2");
            auto* size = Child<SpinField>(dialog, "edit4");
            auto* width = Child<QLineEdit>(dialog, "Edit3");
            Child<QCheckBox>(dialog, "Border")->setChecked(true);
            Captioned<QRadioButton>(dialog, "Left")->setChecked(true);

            // The border size comes first, even with no rows.
            size->SetText("");
            create->click();
            QVERIFY(dialog.isVisible());
            QVERIFY(FocusIn(size));

            size->SetText("2px");
            rows->setText("abc");
            create->click();
            QVERIFY(FocusIn(rows));

            rows->setText("2");
            create->click();
            QVERIFY(FocusIn(columns));

            columns->setText("3");
            width->clear();
            create->click();
            QVERIFY(dialog.isVisible());
            // Every field kept what was typed.
            QCOMPARE(rows->text(), QStringLiteral("2"));
            QCOMPARE(columns->text(), QStringLiteral("3"));
            QCOMPARE(size->Text(), QStringLiteral("2px"));
            QVERIFY(Captioned<QRadioButton>(dialog, "Left")->isChecked());

            width->setText("50%");
            Child<SpinField>(dialog, "SpinEdit1")->SetText("x");
            create->click();
            QVERIFY(!dialog.isVisible());
        }));
        selectMiddle();
        RunTableCommand(editor.get());
        QVERIFY(prompts->queueEmpty());
        QCOMPARE(prompts->asked.size(), 5);
        const QStringList kinds = {prompts->asked[1].kind, prompts->asked[2].kind,
                                   prompts->asked[3].kind, prompts->asked[4].kind};
        QCOMPARE(kinds, (QStringList{"Information", "Error", "Error", "Error"}));
        QCOMPARE(prompts->askedTexts().mid(1),
                 (QStringList{"Please fill in the border width !",
                              "Please fill in how many rows you want !",
                              "Please fill in how many columns you want !",
                              "Please fill in the table width !"}));
        // The selection gave way to the table.
        const QString row = "<tr>\r\n" + QString("   <td>   </td>\r\n").repeated(3) + "</tr>\r\n";
        QCOMPARE(editor->Text(),
                 "ab <table align=Left width=50%  border=2px bordercolor=#000000 cellpadding=0 "
                 "cellspacing=0>\r\n" +
                     row + row + "</table>\r\n cd\r\n");
    }

    void tableColours() {
        prompts->answer(Script([this](QDialog& dialog) {
            dialog.show();
            Child<QCheckBox>(dialog, "Border")->setChecked(true);
            Child<SpinField>(dialog, "edit4")->SetText("2");
            Captioned<QRadioButton>(dialog, "Center")->setChecked(true);
            Child<QLineEdit>(dialog, "Edit1")->setText("1");
            Child<QLineEdit>(dialog, "Edit2")->setText("1");
            auto* border = Child<ColorSwatch>(dialog, "Panel1");
            auto* background = Child<ColorSwatch>(dialog, "Panel2");
            prompts->answer(std::optional<QColor>(QColor(255, 0, 0)));
            QTest::mouseClick(border, Qt::LeftButton);
            QCOMPARE(border->Color(), 0x0000FF);
            // Both swatches share one colour dialog: it opens at the colour
            // last chosen in it, not at the white shown.
            prompts->answer(std::optional<QColor>(QColor(255, 255, 0)));
            QTest::mouseClick(background, Qt::LeftButton);
            QCOMPARE(background->Color(), 0x00FFFF);
            // Cancelling the colour dialog keeps the colour; it reopens at
            // the colour last chosen.
            prompts->answer(std::optional<QColor>());
            QTest::mouseClick(background, Qt::LeftButton);
            QCOMPARE(background->Color(), 0x00FFFF);
            Captioned<QPushButton>(dialog, "Create Table")->click();
        }));
        editor->SetText("");
        RunTableCommand(editor.get());
        QVERIFY(prompts->queueEmpty());
        QCOMPARE(prompts->openedAt,
                 (QList<QColor>{Qt::black, QColor(255, 0, 0), QColor(255, 255, 0)}));
        QCOMPARE(editor->Line(0),
                 QStringLiteral("<table align=Center width=100% BGColor=#FFFF00  border=2 "
                                "bordercolor=#FF0000 cellpadding=5 cellspacing=0>"));

        // Background chosen white again: no BGColor.
        prompts->answer(Script([this](QDialog& dialog) {
            dialog.show();
            Child<QLineEdit>(dialog, "Edit1")->setText("1");
            Child<QLineEdit>(dialog, "Edit2")->setText("1");
            prompts->answer(std::optional<QColor>(QColor(255, 255, 255)));
            QTest::mouseClick(Child<ColorSwatch>(dialog, "Panel2"), Qt::LeftButton);
            Captioned<QPushButton>(dialog, "Create Table")->click();
        }));
        editor->SetText("");
        RunTableCommand(editor.get());
        QCOMPARE(
            editor->Line(0),
            QStringLiteral("<table align=Right width=100%  border=0 cellpadding=5 cellspacing=0>"));
    }

    void tableWithoutATarget() {
        prompts->answer(Script([](QDialog& dialog) {
            Child<QLineEdit>(dialog, "Edit1")->setText("1");
            Child<QLineEdit>(dialog, "Edit2")->setText("1");
            Captioned<QPushButton>(dialog, "Create Table")->click();
        }));
        RunTableCommand(nullptr);
        QVERIFY(prompts->queueEmpty());
        QCOMPARE(prompts->askedTexts(), QStringList{"Table Creator"});
    }

    void listHtml() {
        QCOMPARE(NumberedListHtml("A", 1, 3), Lines({"<ol type=\"A\" start=\"1\">", "<li></li>",
                                                     "<li></li>", "<li></li>", "</ol>"}));
        QCOMPARE(NumberedListHtml("default", 5, 1),
                 Lines({"<ol start=\"5\">", "<li></li>", "</ol>"}));
        QCOMPARE(NumberedListHtml("i", -2, 0), Lines({"<ol type=\"i\" start=\"-2\">", "</ol>"}));
        QCOMPARE(BulletListHtml("square", 2),
                 Lines({"<ul type=\"square\">", "<li></li>", "<li></li>", "</ul>"}));
        QCOMPARE(BulletListHtml("disc", -1), Lines({"<ul type=\"disc\">", "</ul>"}));
        QCOMPARE(NumberedListTypes(), (QStringList{"default", "a", "A", "i", "I"}));
        QCOMPARE(BulletListTypes(), (QStringList{"disc", "circle", "square"}));
    }

    void numberedList() {
        prompts->answer(Script([](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(),
                     QStringLiteral("Add numbers or letters to the document ..."));
            QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
            QVERIFY(!Child<QGroupBox>(dialog, "GroupBox2")->isHidden());
            QVERIFY(Child<QGroupBox>(dialog, "GroupBox3")->isHidden());
            QVERIFY(!Child<SpinField>(dialog, "SpinEdit2")->isHidden());
            QVERIFY(!Child<QLabel>(dialog, "StartLabel")->isHidden());
            dialog.show();
            // Neither the title bar nor Escape closes it.
            dialog.close();
            QVERIFY(dialog.isVisible());
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QVERIFY(dialog.isVisible());

            // "Ok" without a style asks for one and stays open.
            auto* ok = Captioned<QPushButton>(dialog, "Ok");
            QVERIFY(ok->isDefault());
            ok->click();
            QVERIFY(dialog.isVisible());

            auto* numbers = Child<QGroupBox>(dialog, "GroupBox2");
            Child<QToolButton>(*numbers, "Picture3")->click();
            QVERIFY(Child<QRadioButton>(*numbers, "Radio3")->isChecked());
            Child<SpinField>(dialog, "SpinEdit1")->SetText("3");
            ok->click();
            QVERIFY(!dialog.isVisible());
        }));
        selectMiddle();
        RunListCommand(ListKind::Numbers, editor.get());
        QVERIFY(prompts->queueEmpty());
        QCOMPARE(prompts->asked[1].kind, QStringLiteral("Information"));
        QCOMPARE(prompts->asked[1].text, QStringLiteral("Please select a List type !"));
        QCOMPARE(editor->Text(), "ab " +
                                     Lines({"<ol type=\"A\" start=\"1\">", "<li></li>", "<li></li>",
                                            "<li></li>", "</ol>"}) +
                                     " cd\r\n");
    }

    void pictureAndRadioChooseAlike() {
        // Each style, chosen by its radio and by its picture.
        const QStringList types = NumberedListTypes();
        for (int style = 1; style <= 5; ++style) {
            for (const char* way : {"Radio", "Picture"}) {
                TfNumber dialog(ListKind::Numbers);
                auto* group = Child<QGroupBox>(dialog, "GroupBox2");
                const QString name = QString::fromLatin1(way) + QString::number(style);
                if (QString::fromLatin1(way) == "Radio")
                    Child<QRadioButton>(*group, qPrintable(name))->click();
                else
                    Child<QToolButton>(*group, qPrintable(name))->click();
                QCOMPARE(dialog.ListType(), types[style - 1]);
                QVERIFY(Child<QRadioButton>(*group, qPrintable("Radio" + QString::number(style)))
                            ->isChecked());
            }
        }
        // A later choice replaces the earlier one.
        TfNumber dialog(ListKind::Numbers);
        auto* group = Child<QGroupBox>(dialog, "GroupBox2");
        Child<QToolButton>(*group, "Picture5")->click();
        Child<QRadioButton>(*group, "Radio1")->click();
        QCOMPARE(dialog.ListType(), QStringLiteral("default"));
        QVERIFY(!Child<QRadioButton>(*group, "Radio5")->isChecked());
        Child<SpinField>(dialog, "SpinEdit2")->SetText("x");
        QCOMPARE(dialog.ListText(), Lines({"<ol start=\"0\">", "<li></li>", "</ol>"}));
    }

    void bulletedList() {
        prompts->answer(Script([](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(),
                     QStringLiteral("Add bullets or circles to the document ..."));
            QVERIFY(Child<QGroupBox>(dialog, "GroupBox2")->isHidden());
            QVERIFY(!Child<QGroupBox>(dialog, "GroupBox3")->isHidden());
            QVERIFY(Child<SpinField>(dialog, "SpinEdit2")->isHidden());
            QVERIFY(Child<QLabel>(dialog, "StartLabel")->isHidden());
            auto* bullets = Child<QGroupBox>(dialog, "GroupBox3");
            Child<QRadioButton>(*bullets, "Radio3")->click();
            Child<SpinField>(dialog, "SpinEdit1")->SetText("2");
            Captioned<QPushButton>(dialog, "Ok")->click();
        }));
        editor->SetText("");
        RunListCommand(ListKind::Bullets, editor.get());
        QCOMPARE(editor->Text(),
                 Lines({"<ul type=\"square\">", "<li></li>", "<li></li>", "</ul>", ""}));
    }

    void cancelledListLeavesTheSelection() {
        prompts->answer(Script([](QDialog& dialog) {
            Child<QRadioButton>(*Child<QGroupBox>(dialog, "GroupBox2"), "Radio2")->click();
            Captioned<QPushButton>(dialog, "Cancel")->click();
        }));
        selectMiddle();
        RunListCommand(ListKind::Numbers, editor.get());
        QCOMPARE(editor->Text(), QStringLiteral("ab XX cd\r\n"));
        QCOMPARE(editor->SelectedText(), QStringLiteral("XX"));
        QCOMPARE(editor->SelectionStart(), 4);
        QCOMPARE(editor->SelectionEnd(), 6);

        // Ok without a target inserts nothing and shows nothing more.
        prompts->answer(Script([](QDialog& dialog) {
            Child<QRadioButton>(*Child<QGroupBox>(dialog, "GroupBox3"), "Radio1")->click();
            Captioned<QPushButton>(dialog, "Ok")->click();
        }));
        RunListCommand(ListKind::Bullets, nullptr);
        QVERIFY(prompts->queueEmpty());
        QCOMPARE(prompts->asked.size(), 2);
    }
};

QTEST_MAIN(TableAndListsTest)
#include "tst_tableandlists.moc"
