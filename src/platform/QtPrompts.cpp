#include "QtPrompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

// The window a question belongs to. A question is never left hidden under a
// splash screen, which stays above every other window.
QWidget* ActiveWindow() {
    CloseSplashScreens();
    return QApplication::activeWindow();
}

// Message boxes are centred on the screen, whatever window owns them.
void CentreOnScreen(QWidget& box) {
    box.adjustSize();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (QWidget* owner = ActiveWindow(); owner && owner->screen())
        screen = owner->screen();
    if (!screen)
        return;
    QRect frame = box.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    box.move(frame.topLeft());
}

QString TitleFor(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QStringLiteral("Error");
    case MessageKind::Confirm:
        return QStringLiteral("Confirm");
    case MessageKind::Information:
        return QStringLiteral("Information");
    }
    return {};
}

QMessageBox::Icon IconFor(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Confirm:
        return QMessageBox::Question;
    case MessageKind::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QString QtFilter(const FileFilter& filter) {
    QStringList patterns;
    for (const QString& pattern : filter.patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns << pattern.trimmed();
    return filter.label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.caption);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setSizeGripEnabled(true);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.filters.isEmpty())
        dialog.setNameFilters(QtNameFilters(request.filters));
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
}

} // namespace

void CloseSplashScreens() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() == Qt::SplashScreen)
            window->close();
    }
}

QStringList QtNameFilters(const QList<FileFilter>& filters) {
    QStringList result;
    for (const FileFilter& filter : filters)
        result << QtFilter(filter);
    return result;
}

QString DisplayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

bool QtPrompts::message(MessageKind kind, const QString& text) {
    QMessageBox box(IconFor(kind), TitleFor(kind), DisplayText(text), QMessageBox::NoButton,
                    ActiveWindow());
    if (kind == MessageKind::Confirm) {
        QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        CentreOnScreen(box);
        box.exec();
        return box.clickedButton() == yes;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    CentreOnScreen(box);
    box.exec();
    return false;
}

YesNoCancel QtPrompts::askYesNoCancel(const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), DisplayText(text),
                    QMessageBox::NoButton, ActiveWindow());
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    CentreOnScreen(box);
    box.exec();
    if (box.clickedButton() == yes)
        return YesNoCancel::Yes;
    if (box.clickedButton() == no)
        return YesNoCancel::No;
    return YesNoCancel::Cancel;
}

std::optional<QString> QtPrompts::inputLine(const QString& caption, const QString& label,
                                            const QString& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(ActiveWindow(), caption, label, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QStringList QtPrompts::openFiles(const FileDialogRequest& request) {
    QFileDialog dialog(ActiveWindow());
    PrepareFileDialog(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<QString> QtPrompts::chooseSaveFile(const FileDialogRequest& request) {
    QFileDialog dialog(ActiveWindow());
    PrepareFileDialog(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program replaces an existing file without asking.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> QtPrompts::chooseColor(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, ActiveWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QString> QtPrompts::chooseDirectory(const QString& caption, const QString& start) {
    const QString folder = QFileDialog::getExistingDirectory(ActiveWindow(), caption, start);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

void QtPrompts::beep() {
    QApplication::beep();
}

int QtPrompts::runDialog(QDialog& dialog) {
    CloseSplashScreens();
    return dialog.exec();
}
