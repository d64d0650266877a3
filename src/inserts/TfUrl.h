#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QTabWidget;

// "Add link ...": a web link on the "Url" page or a mail link on the
// "Mail To" page; the page shown when "Ok" is pressed decides which.
class TfUrl : public QDialog {
    Q_OBJECT
public:
    explicit TfUrl(QWidget* parent = nullptr);

    // The link built when "Ok" was pressed; empty before.
    QString Html() const { return html; }

private:
    void confirm();

    QTabWidget* pages;
    QLineEdit* url;
    QLineEdit* urlName;
    QCheckBox* newWindow;
    QLineEdit* address;
    QLineEdit* mailName;
    QString html;
};
