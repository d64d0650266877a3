#include "ConfigCommands.h"

#include "FileManagerView.h"
#include "SettingsStore.h"
#include "TfConfig.h"
#include "TfMain.h"

#include <QFileInfo>

namespace {

// What the configuration screen changes in the main window.
class MainConfigHost : public ConfigHost {
public:
    explicit MainConfigHost(TfMain& window) : window(window) {}

    QString ConfigFolder() const override { return window.ConfigFolder(); }
    void ApplyLanguage() override {
        window.ApplyLanguage();
        window.SetLanguageValue(Settings().ReadText(
            QStringLiteral("Help"), QStringLiteral("Language"), window.LanguageValue()));
    }
    void RebuildTemplate() override { window.BuildTemplate(); }
    void SetOpenOnDoubleClick(bool on) override {
        window.SetOpenOnDoubleClick(on);
        window.FileView()->SetOpenOnDoubleClick(on);
    }
    void SetFollowFolders(bool on) override { window.SetFollowFolders(on); }
    void MoveToWorkDirectory(const QString& folder) override {
        if (!QFileInfo(folder).isDir())
            return;
        window.FileView()->SelectFolder(folder);
        window.SetLastOpenFolder(folder);
    }

private:
    TfMain& window;
};

} // namespace

void OpenConfigurationScreen(TfMain& window, int page, ConfigFocus focus) {
    auto* screen = new TfConfig(std::make_unique<MainConfigHost>(window), &window);
    screen->Open(page, focus);
}
