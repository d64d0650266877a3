#pragma once

#include "ConfigHost.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class CodeInsidePage;
class ColorSwatch;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;

// The configuration screen: four pages of preferences, each written to the
// settings the moment its control changes; the new-file setup and the typed
// paths are taken over when the screen closes. Non-modal; every opening
// makes a fresh screen, and several may be open at once.
class TfConfig : public QWidget {
    Q_OBJECT
public:
    enum Page { EditorOptions = 0, PathConfiguration = 1, CodeInside = 2, NewFileSetup = 3 };

    // Creates the screen filled from the settings. A filled control whose
    // value differs from its design value runs its change action, as if the
    // user had made the change.
    explicit TfConfig(std::unique_ptr<ConfigHost> host, QWidget* parent = nullptr);
    ~TfConfig() override;

    // Captions the screen "Configuration", shows the page and puts the focus
    // in the named field; returns at once.
    void Open(int page, ConfigFocus focus);

    QTabWidget* Pages() const { return pages; }
    CodeInsidePage* CodeInsideSetup() const { return codeInside; }
    bool RestartNeeded() const { return restartNeeded; }
    bool NewFileSetupChanged() const { return newFileChanged; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildEditorPage();
    QWidget* buildPathPage();
    QWidget* buildNewFilePage();
    void fillSetupFields();
    void refreshAfterImport();
    void runClosingSteps();
    // Sizes the window to show the largest page whole.
    void fitToPages();

    // The one colour dialog of the screen; it opens with the colour picked
    // last. nullopt when cancelled.
    std::optional<qint32> pickColor();
    void chooseProgram(QLineEdit* field, const char* section);
    void chooseWorkDirectory();
    void chooseFileName(QLineEdit* field, const QString& label, const QString& patterns);
    void pickLinkColor(int index);
    void clearLinkColor(int index);
    void exportProfile();
    void importProfile();

    std::unique_ptr<ConfigHost> host;
    QTabWidget* pages = nullptr;
    CodeInsidePage* codeInside = nullptr;
    QColor lastPicked = Qt::black;
    bool newFileChanged = false;
    bool ftpTyped = false;
    bool browserTyped = false;
    bool workTyped = false;
    bool restartNeeded = false;
    bool shown = false;
    bool closed = false;

    QComboBox* languageList = nullptr;
    QSpinBox* marginRight = nullptr;
    QLineEdit* ftpPath = nullptr;
    QLineEdit* browserPath = nullptr;
    QLineEdit* workDirectory = nullptr;
    QCheckBox* syncronize = nullptr;
    QLineEdit* title = nullptr;
    QLineEdit* description = nullptr;
    QPlainTextEdit* keywords = nullptr;
    QLineEdit* author = nullptr;
    QLineEdit* styleSheet = nullptr;
    QLineEdit* backgroundImage = nullptr;
    QCheckBox* defaultLinkColors = nullptr;
    std::array<ColorSwatch*, 4> linkSwatches{};
};
