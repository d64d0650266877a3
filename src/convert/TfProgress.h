#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;
class QTimer;

// The small window shown while an import converts: always on top, centred,
// without title-bar buttons; a bold text and a bar that follows the
// converter's progress once a second.
class TfProgress : public QWidget {
    Q_OBJECT
public:
    TfProgress(const QString& fileName, std::function<int()> progress, QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const;
    int Position() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* panel;
    QProgressBar* bar;
    QTimer* timer;
};
