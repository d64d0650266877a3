#pragma once

#include <QDialog>
#include <QMargins>

class QLabel;

// "Confirm replace": asks whether to replace one match. Its result is one
// of the answers below; Cancel, Escape and closing the window give Cancel.
class TConfirmReplaceDialog : public QDialog {
    Q_OBJECT
public:
    enum Answer { Cancel = QDialog::Rejected, Yes = QDialog::Accepted, No = 2, YesToAll = 3 };

    explicit TConfirmReplaceDialog(QWidget* parent = nullptr);

    void SetSearchText(const QString& text);
    // Another question with the same answers.
    void SetQuestion(const QString& text);

    // Puts the window beside the match, within the area (screen
    // coordinates): see ConfirmReplacePosition. The window manager's frame
    // counts: until the window is framed, the frame of the window it belongs
    // to stands in for its own, and the place is corrected once the real
    // frame is known.
    void PlaceBeside(const QRect& area, int matchLeft, int lineTop, int lineBottom);

protected:
    bool event(QEvent* event) override;

private:
    QMargins currentFrame() const;
    void place();

    QLabel* question;
    QRect area;
    int matchLeft = 0;
    int lineTop = 0;
    int lineBottom = 0;
    bool placed = false;
    QMargins placedFrame;
};

// Where the confirmation window of the given size goes for a match whose
// line runs from lineTop to lineBottom. Across: centred over an area no
// wider than the window, else at the match's left, moved left as far as
// needed to keep it inside the area. Up and down: above the line when the
// line's bottom is in the lowest third of the area, else below it.
// The window's size is its contents' size; frame gives the window manager's
// frame around it, and the result is the frame's top-left corner, which is
// what moving a window sets.
QPoint ConfirmReplacePosition(const QRect& area, const QSize& window, const QMargins& frame,
                              int matchLeft, int lineTop, int lineBottom);
