#pragma once

#include <QDockWidget>
#include <QPointer>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// A place in a document that a result points at. The document window is
// given when the result was found in an open document (its text may be
// unsaved); else the file's path. Line and column count from 1, the column
// and the length in characters, as the editor counts them (TextPosition).
struct ResultPlace {
    QString path;
    QPointer<QWidget> document;
    int line = 1;
    int column = 1;
    int length = 0;
};

// One row of a group: the place's line, column and length, the text shown
// for it and the part of that text that is emphasised (UTF-16 units;
// emphasisLength 0 for none).
struct ResultRow {
    int line = 1;
    int column = 1;
    int length = 0;
    QString text;
    int emphasisStart = 0;
    int emphasisLength = 0;
};

// The results panel below the documents: a list of groups (one per file or
// document), each with its rows, a title, and a status line with a Cancel
// button for work still going on. Any producer fills it the same way:
//
//   panel.Clear(title);                       // empties it, sets the title
//   int g = panel.AddGroup(path, window, caption);
//   panel.AddRow(g, {line, column, length, text, start, length});
//   panel.SetTitle(...);                      // e.g. with the final total
//   panel.show();
//
// Enter or a double click on a row (or Step) emits activated with the
// row's place; the main window opens the file or activates the window and
// selects the place. Escape or the close button hides the panel.
class ResultsPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit ResultsPanel(QWidget* parent = nullptr);

    // Removes every group and row and the status line, and sets the title.
    void Clear(const QString& title);
    void SetTitle(const QString& title);
    QString Title() const { return windowTitle(); }

    // A group for a file (path) or an open document window (document, may
    // be nullptr); the caption is what the group's line shows. Returns the
    // group's number for AddRow.
    int AddGroup(const QString& path, QWidget* document, const QString& caption);
    void AddRow(int group, const ResultRow& row);

    int GroupCount() const;
    int RowCount() const { return rowCount; } // of all groups together

    // A line under the results telling how work goes; with cancellable a
    // Cancel button beside it, which emits cancelRequested. An empty text
    // hides both.
    void SetStatus(const QString& text, bool cancellable);
    QString Status() const;

    // Makes the next (or previous) row current, wrapping around, and
    // activates it; false when there is no row.
    bool Step(bool forward);

    QTreeWidget* Tree() const { return tree; }

signals:
    void activated(const ResultPlace& place);
    // After Clear and AddRow.
    void contentChanged();
    void cancelRequested();

private:
    void activate(QTreeWidgetItem* item);
    QList<QTreeWidgetItem*> rows() const;

    QTreeWidget* tree;
    QLabel* status;
    QPushButton* cancel;
    // Per group: the path and the document window.
    QList<QPair<QString, QPointer<QWidget>>> groups;
    int rowCount = 0;
};
