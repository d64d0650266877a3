#include "ConfigCommands.h"

#include "CommandHost.h"
#include "ProgramPlaces.h"
#include "TfConfig.h"

#include <QFileInfo>

namespace {

// What the configuration screen changes in the main window.
class MainConfigHost : public ConfigHost {
public:
    explicit MainConfigHost(CommandHost& host) : host(host) {}

    QString ConfigFolder() const override { return host.Places().configFolder; }
    void ApplyLanguage() override { host.ApplyLanguage(); }
    void RebuildTemplate() override { host.BuildTemplate(); }
    void SetOpenOnDoubleClick(bool on) override { host.SetOpenOnDoubleClick(on); }
    void SetFollowFolders(bool on) override { host.SetFollowFolders(on); }
    void MoveToWorkDirectory(const QString& folder) override {
        if (!QFileInfo(folder).isDir())
            return;
        host.ShowFolderInFileManager(folder);
        host.SetLastOpenFolder(folder);
    }

private:
    CommandHost& host;
};

} // namespace

void OpenConfigurationScreen(CommandHost& host, int page, ConfigFocus focus) {
    host.NextDocumentNumber();
    auto* screen = new TfConfig(std::make_unique<MainConfigHost>(host), host.CommandWindow());
    screen->Open(page, focus);
}
