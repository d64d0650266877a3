#pragma once

#include <QDialog>

class QLabel;

// "Confirm replace": asks whether to replace one match. Its result is one
// of the answers below; Cancel, Escape and closing the window give Cancel.
class TConfirmReplaceDialog : public QDialog {
    Q_OBJECT
public:
    enum Answer { Cancel = QDialog::Rejected, Yes = QDialog::Accepted, No = 2, YesToAll = 3 };

    explicit TConfirmReplaceDialog(QWidget* parent = nullptr);

    void SetSearchText(const QString& text);

    // Puts the window beside the match, within the area (screen
    // coordinates): see ConfirmReplacePosition.
    void PlaceBeside(const QRect& area, int matchLeft, int lineTop, int lineBottom);

private:
    QLabel* question;
};

// Where the confirmation window of the given size goes for a match whose
// line runs from lineTop to lineBottom. Across: centred over an area no
// wider than the window, else at the match's left, moved left as far as
// needed to keep it inside the area. Up and down: above the line when the
// line's bottom is in the lowest third of the area, else below it.
QPoint ConfirmReplacePosition(const QRect& area, const QSize& window, int matchLeft, int lineTop,
                              int lineBottom);
