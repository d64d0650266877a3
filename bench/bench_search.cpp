// Search and replace on a large document: the generated 50 MB,
// one-million-line HTML file of bench_editor, highlighting on, in the real
// main window with its real message boxes and dialogs. Reports
//   - F3 for a text that is not there, from the key to "Search Complete !"
//     being shown, and the cost of the scan per megabyte;
//   - F3 from the top for a text found only on the last line;
//   - Ctrl+R replacing "Cell" (100,000 matches) by "Cells", from the click on
//     "Yes to all" at the first question to the end of the run and to the
//     painted result, and that one Undo restores the document;
//   - the same two with a regular expression: F3 for one that matches
//     nothing, and Ctrl+R of "C(el)l" by "C\1ls" (100,000 matches).

#include "BenchSupport.h"
#include "EditorControl.h"
#include "SampleDocument.h"
#include "SearchState.h"
#include "TChildForm.h"
#include "TConfirmReplaceDialog.h"
#include "TTextSearchDialog.h"
#include "TfMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLines = 1000000;
constexpr int kRuns = 5;
const char* const kMarker = "<p>the quillon-marker line</p>";

double Milliseconds(qint64 nanoseconds) {
    return double(nanoseconds) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Answers the program's modal windows as they appear and notes when they do.
class Answerer : public QObject {
public:
    QElapsedTimer clock;
    qint64 messageShown = -1;
    qint64 yesToAllClicked = -1;
    QString searchFor = QStringLiteral("Cell");
    QString replaceWith = QStringLiteral("Cells");

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() != QEvent::Show)
            return false;
        if (auto* box = qobject_cast<QMessageBox*>(object)) {
            messageShown = clock.nsecsElapsed();
            QTimer::singleShot(0, box, [box] { box->done(0); });
        } else if (auto* dialog = qobject_cast<TTextReplaceDialog*>(object)) {
            QTimer::singleShot(0, dialog, [this, dialog] {
                dialog->findChild<QComboBox*>(QStringLiteral("SearchText"))->setEditText(searchFor);
                dialog->findChild<QComboBox*>(QStringLiteral("ReplaceText"))
                    ->setEditText(replaceWith);
                dialog->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
            });
        } else if (auto* confirm = qobject_cast<TConfirmReplaceDialog*>(object)) {
            QTimer::singleShot(0, confirm, [this, confirm] {
                yesToAllClicked = clock.nsecsElapsed();
                confirm->findChild<QPushButton*>(QStringLiteral("YesToAllButton"))->click();
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.html"));
    qint64 documentBytes = 0;
    {
        std::string text = sample::Document(kLines - 1, "\r\n");
        text += kMarker;
        text += "\r\n";
        documentBytes = qint64(text.size());
        if (!bench::WriteFile(path, text))
            return 1;
        std::printf("document: %d lines, %.1f MB\n", kLines, double(documentBytes) / 1e6);
    }
    const QString settings = dir.filePath(QStringLiteral("settings.ini"));
    {
        QFile file(settings);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write("[Help]\r\nLanguage=Eng\r\n[SHigh]\r\nEnabled=1\r\n");
    }
    QDir(dir.path()).mkpath(QStringLiteral("data"));
    QDir(dir.path()).mkpath(QStringLiteral("config"));
    TfMain::Options options;
    // A folder that can be written keeps settings.ini itself.
    options.places = ProgramPlaces::For(dir.path(), dir.filePath(QStringLiteral("config")),
                                        dir.filePath(QStringLiteral("cache")), {});
    options.executablePath = dir.filePath(QStringLiteral("quillon"));
    options.channelName = dir.filePath(QStringLiteral("channel"));
    options.associationPlaces = {dir.filePath(QStringLiteral("data")),
                                 dir.filePath(QStringLiteral("config"))};

    TfMain window(options);
    window.resize(1400, 900);
    window.show();
    window.OpenDocumentFile(path);
    TChildForm* document = window.ActiveDocument();
    if (!document)
        return 1;
    document->showMaximized();
    EditorControl& editor = *document->Editor();
    bench::Paint(window);
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        return 1;
    editor.setFocus();

    Answerer answerer;
    app.installEventFilter(&answerer);
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QApplication::setActiveWindow(&window);
        editor.setFocus();
        QTest::keyClick(editor.focusProxy(), key, modifiers);
        bench::Paint(window);
    };
    const auto top = [&] {
        editor.SetCaretPosition({1, 1});
        bench::Paint(window);
    };

    std::vector<double> missing;
    for (int i = 0; i < kRuns; ++i) {
        RememberedSearch().searchText = QStringLiteral("missing link");
        top();
        answerer.messageShown = -1;
        answerer.clock.start();
        press(Qt::Key_F3, Qt::NoModifier);
        if (answerer.messageShown < 0) {
            std::printf("F3 showed no message\n");
            return 2;
        }
        missing.push_back(Milliseconds(answerer.messageShown));
    }
    std::printf("F3, text not there, key to \"Search Complete !\" shown: median %.1f ms "
                "(target 150)\n",
                Median(missing));

    // The scan alone, without the message box, in both letter-case modes.
    for (const bool matchCase : {false, true}) {
        std::vector<double> scans;
        SearchOptions scan;
        scan.entireScope = true;
        scan.matchCase = matchCase;
        for (int i = 0; i < kRuns; ++i) {
            QElapsedTimer timer;
            timer.start();
            if (editor.SearchReplace(QStringLiteral("missing link"), {}, scan) != 0)
                return 2;
            scans.push_back(Milliseconds(timer.nsecsElapsed()));
        }
        const double median = Median(scans);
        std::printf("scan of the whole text, %s: %.1f ms, %.2f ms per MB\n",
                    matchCase ? "case to match" : "any case", median,
                    median / (double(documentBytes) / 1e6));
    }

    // The first time the end of the document is shown, the highlighter
    // styles every line before it; later runs find it styled.
    std::vector<double> atEnd;
    for (int i = 0; i < kRuns; ++i) {
        RememberedSearch().searchText = QString::fromLatin1(kMarker).mid(7, 14);
        top();
        QElapsedTimer timer;
        timer.start();
        press(Qt::Key_F3, Qt::NoModifier);
        atEnd.push_back(Milliseconds(timer.nsecsElapsed()));
        if (editor.CaretPosition().line != kLines)
            return 3;
    }
    const double firstAtEnd = atEnd.front();
    atEnd.erase(atEnd.begin());
    std::printf("F3 from the top to a match on the last line, painted: first %.0f ms, then "
                "median %.1f ms (target 150)\n",
                firstAtEnd, Median(atEnd));

    // First with the whole text styled (the end has been shown above), then
    // after the Undo, which leaves it styled only up to the top.
    const qsizetype before = editor.TrimmedCharacterCount();
    const auto replaceAll = [&](const char* what, int target) {
        top();
        answerer.clock.start();
        answerer.yesToAllClicked = -1;
        QTest::keyClick(editor.focusProxy(), Qt::Key_R, Qt::ControlModifier);
        const qint64 replaced = answerer.clock.nsecsElapsed();
        bench::Paint(window);
        const qint64 painted = answerer.clock.nsecsElapsed();
        if (answerer.yesToAllClicked < 0)
            return false;
        const qsizetype after = editor.TrimmedCharacterCount();
        std::printf("Ctrl+R %s, from Yes to all: replaced %.0f ms "
                    "(target %d), painted at the last match %.0f ms; %lld characters more\n",
                    what, Milliseconds(replaced - answerer.yesToAllClicked), target,
                    Milliseconds(painted - answerer.yesToAllClicked),
                    static_cast<long long>(after - before));
        QElapsedTimer timer;
        timer.start();
        editor.Undo();
        bench::Paint(window);
        std::printf("one Undo: %.0f ms, document %s\n", Milliseconds(timer.nsecsElapsed()),
                    editor.TrimmedCharacterCount() == before && !editor.CanUndo() ? "restored"
                                                                                  : "NOT restored");
        return true;
    };
    if (!replaceAll("\"Cell\" to \"Cells\" (whole text styled before)", 500) ||
        !replaceAll("\"Cell\" to \"Cells\" (styled only at the top)", 500))
        return 4;

    // A regular expression: F3 for one that matches nothing, and a replace
    // all of its 100,000 matches.
    RememberedSearch().regularExpression = true;
    std::vector<double> regex;
    for (int i = 0; i < kRuns; ++i) {
        RememberedSearch().searchText = QStringLiteral("miss(ing|ed) l[i1]nk");
        top();
        answerer.messageShown = -1;
        answerer.clock.start();
        press(Qt::Key_F3, Qt::NoModifier);
        if (answerer.messageShown < 0)
            return 2;
        regex.push_back(Milliseconds(answerer.messageShown));
    }
    std::printf("F3, regular expression matching nothing, key to \"Search Complete !\" shown: "
                "median %.1f ms (target 300)\n",
                Median(regex));
    answerer.searchFor = QStringLiteral("C(el)l");
    answerer.replaceWith = QStringLiteral(R"(C\1ls)");
    if (!replaceAll("regular expression \"C(el)l\" to \"C\\1ls\"", 1000))
        return 4;
    app.removeEventFilter(&answerer);
    document->SetModifiedFlag(false);
    return 0;
}
