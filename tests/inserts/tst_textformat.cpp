#include "ColorSwatch.h"
#include "EditorControl.h"
#include "FontHtml.h"
#include "SettingsStore.h"
#include "SpinField.h"
#include "TextInserts.h"
#include "TfTable.h"
#include "support/ScriptedPrompts.h"
#include "support/TemporarySettings.h"

#include <QCheckBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

template <class T> T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

QPushButton* Button(QWidget& parent, const QString& text) {
    for (QPushButton* button : parent.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    qFatal("no button %s", qPrintable(text));
}

// A dialog script that returns the dialog's result once the body is done.
ScriptedPrompts::DialogScript Script(std::function<void(QDialog&)> body) {
    return [body](QDialog& dialog) {
        body(dialog);
        return dialog.result();
    };
}

const char* const kDefaultTag = "<font face=\"verdana\" size=\"2\" color=\"#000000\">";

} // namespace

class TextFormatTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TemporarySettings> settings;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<QWidget> window;
    EditorControl* editor = nullptr;
    QLineEdit* elsewhere = nullptr;

    void writeSettings(const QByteArray& text) { settings->write(text); }
    // Two lines, "Hi" selected on the second: linear positions 11 and 13.
    void selectHi() {
        editor->SetText("line1\r\nab Hi cd");
        editor->SetSelectionStart(11);
        editor->SetSelectionEnd(13);
        QCOMPARE(editor->SelectedText(), QStringLiteral("Hi"));
    }

private slots:
    void init() {
        settings = std::make_unique<TemporarySettings>();
        prompts = std::make_unique<ScriptedPrompts>();
        // The editor beside another field, so that giving it the focus shows.
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        elsewhere = new QLineEdit(window.get());
        editor = new EditorControl(window.get());
        layout->addWidget(elsewhere);
        layout->addWidget(editor);
        window->resize(500, 300);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        elsewhere->setFocus();
    }
    void cleanup() {
        window.reset();
        prompts.reset();
        settings.reset();
    }

    void formatTags() {
        TextFormat format{"Arial", "3", "#FF0000"};
        FormatTags tags = TextFormatTags(format);
        QCOMPARE(tags.opening,
                 QStringLiteral("<font face=\"arial\" size=\"3\" color=\"#FF0000\">"));
        QCOMPARE(tags.closing, QStringLiteral("</font>"));
        // Styles open and close in the same order: bold, italic, underline, centered.
        format.bold = format.underline = format.italic = format.centered = true;
        format.size = "+1";
        tags = TextFormatTags(format);
        QCOMPARE(tags.opening, QStringLiteral("<b><i><u><center><font face=\"arial\" size=\"+1\" "
                                              "color=\"#FF0000\">"));
        QCOMPARE(tags.closing, QStringLiteral("</font></b></i></u></center>"));
        format.bold = format.italic = false;
        QCOMPARE(TextFormatTags(format).closing, QStringLiteral("</font></u></center>"));

        QCOMPARE(ColoredTextHtml("Verdana", "2", 0xFFFFFF, "x", true),
                 QStringLiteral("<font face=\"verdana\" size=\"2\" color=\"#ffffff\">x</Font>"));
        QCOMPARE(ColoredTextHtml("", "", 0x0000FF, "", false),
                 QStringLiteral("<font face=\"\" size=\"\" color=\"#ff0000\"></font>"));
    }

    void appliedStylesKeepTheTextSelected() {
        prompts->answer(Script([this](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Text Formatting"));
            Child<QCheckBox>(dialog, "Bold")->setChecked(true);
            Child<QCheckBox>(dialog, "Centered")->setChecked(true);
            Child<QFontComboBox>(dialog, "RzFontComboBox1")->setEditText("Arial");
            Child<SpinField>(dialog, "SpinEdit1")->SetText("3");
            prompts->answer(std::optional<QColor>(QColor(255, 0, 0)));
            Button(dialog, "...")->click();
            QCOMPARE(Child<QLabel>(dialog, "ColorCode")->text(), QStringLiteral("#FF0000"));
            QCOMPARE(Child<ColorSwatch>(dialog, "Panel1")->Color(), 0x0000FF);
            QVERIFY(Button(dialog, "Apply Text Formatting")->isDefault());
            Button(dialog, "Apply Text Formatting")->click();
        }));
        selectHi();
        RunTextFormatCommand(editor);
        QVERIFY(prompts->queueEmpty());
        const QString opening = "<b><center><font face=\"arial\" size=\"3\" color=\"#FF0000\">";
        QCOMPARE(editor->Line(1), "ab " + opening + "Hi</font></b></center> cd");
        QCOMPARE(editor->SelectedText(), QStringLiteral("Hi"));
        QCOMPARE(editor->SelectionStart(), 11 + opening.size());
        QCOMPARE(editor->SelectionEnd(), 13 + opening.size());
        QVERIFY(editor->focusProxy()->hasFocus());
    }

    void defaultsWithoutSelection() {
        prompts->answer(Script([](QDialog& dialog) {
            QCOMPARE(Child<QFontComboBox>(dialog, "RzFontComboBox1")->currentText(),
                     QStringLiteral("Verdana"));
            QCOMPARE(Child<SpinField>(dialog, "SpinEdit1")->Text(), QStringLiteral("2"));
            QCOMPARE(Child<QLabel>(dialog, "ColorCode")->text(), QStringLiteral("#000000"));
            for (const char* name : {"Bold", "Underline", "Italic", "Centered"})
                QVERIFY(!Child<QCheckBox>(dialog, name)->isChecked());
            Button(dialog, "Apply Text Formatting")->click();
        }));
        editor->SetText("abc");
        editor->SetSelectionStart(2);
        RunTextFormatCommand(editor);
        QCOMPARE(editor->Line(0), QString("a") + kDefaultTag + "</font>bc");
        QCOMPARE(QString(kDefaultTag).size(), 46);
        QCOMPARE(editor->SelectionStart(), 2 + 46);
        QCOMPARE(editor->SelectionEnd(), 2 + 46);
        QCOMPARE(editor->SelectedText(), QString());
    }

    void settingsGiveFaceAndSize() {
        writeSettings("[Font]\r\nType=Courier New\r\nSize2=4\r\n");
        prompts->answer(Script([](QDialog& dialog) {
            QCOMPARE(Child<QFontComboBox>(dialog, "RzFontComboBox1")->currentText(),
                     QStringLiteral("Courier New"));
            QCOMPARE(Child<SpinField>(dialog, "SpinEdit1")->Text(), QStringLiteral("4"));
            Button(dialog, "Apply Text Formatting")->click();
        }));
        editor->SetText("");
        RunTextFormatCommand(editor);
        QCOMPARE(editor->Line(0),
                 QStringLiteral("<font face=\"courier new\" size=\"4\" color=\"#000000\"></font>"));
        // Nothing went back to the settings.
        QCOMPARE(settings->bytes(), QByteArray("[Help]\r\nLanguage=Eng\r\n[Font]\r\nType=Courier "
                                               "New\r\nSize2=4\r\n"));
    }

    void sizeAndColourAsChosen() {
        prompts->answer(Script([this](QDialog& dialog) {
            Child<SpinField>(dialog, "SpinEdit1")->SetText("+1");
            dialog.show();
            auto* swatch = Child<ColorSwatch>(dialog, "Panel1");
            prompts->answer(std::optional<QColor>(QColor(0, 128, 0)));
            QTest::mouseClick(swatch, Qt::LeftButton);
            // A cancelled colour dialog changes nothing.
            prompts->answer(std::optional<QColor>());
            Button(dialog, "...")->click();
            QCOMPARE(swatch->Color(), 0x008000);
            Button(dialog, "Apply Text Formatting")->click();
        }));
        editor->SetText("");
        RunTextFormatCommand(editor);
        QVERIFY(prompts->queueEmpty());
        QCOMPARE(editor->Line(0),
                 QStringLiteral("<font face=\"verdana\" size=\"+1\" color=\"#008000\"></font>"));
    }

    void cancelRestoresTheSelection() {
        for (const char* way : {"button", "title bar"}) {
            prompts->answer(Script([this, way](QDialog& dialog) {
                Child<QCheckBox>(dialog, "Bold")->setChecked(true);
                // Whatever happens to the caret meanwhile, the old selection comes back.
                editor->SetSelectionStart(1);
                if (QByteArray(way) == "button") {
                    Button(dialog, "Cancel")->click();
                } else {
                    dialog.show();
                    dialog.close();
                }
            }));
            selectHi();
            elsewhere->setFocus();
            RunTextFormatCommand(editor);
            QCOMPARE(editor->Text(), QStringLiteral("line1\r\nab Hi cd\r\n"));
            QCOMPARE(editor->SelectionStart(), 11);
            QCOMPARE(editor->SelectionEnd(), 13);
            QCOMPARE(editor->SelectedText(), QStringLiteral("Hi"));
            QVERIFY(!editor->CanUndo());
            QVERIFY(editor->focusProxy()->hasFocus());
        }
        // Without a document nothing is shown.
        RunTextFormatCommand(nullptr);
        QCOMPARE(prompts->asked.size(), 2);
    }

    void colourCommands() {
        writeSettings("[Font]\r\nType=Verdana\r\nSize2=2\r\n");
        selectHi();
        ColorSelectedText(*editor, 0xFFFFFF, true);
        const QString background = "<font face=\"verdana\" size=\"2\" color=\"#ffffff\">Hi</Font>";
        QCOMPARE(editor->Line(1), "ab " + background + " cd");
        QVERIFY(!editor->SelectionAvailable());
        QCOMPARE(editor->SelectionStart(), 11 + background.size());

        writeSettings({});
        selectHi();
        ColorSelectedText(*editor, 0x0080FF, false);
        QCOMPARE(editor->Line(1),
                 QStringLiteral("ab <font face=\"\" size=\"\" color=\"#ff8000\">Hi</font> cd"));
    }
};

QTEST_MAIN(TextFormatTest)
#include "tst_textformat.moc"
