#include "document_help_viewer.h"
#include "file_dialogs.h"
#include "history/user_settings_store.h"
#include "message_box_messenger.h"
#include "platform_services.h"

namespace orvanel {

std::unique_ptr<HelpViewer> MakeDocumentHelpViewer() {
  return std::make_unique<DocumentHelpViewer>();
}

PlatformServices DesktopServices() {
  PlatformServices services;
  services.messenger = std::make_unique<MessageBoxMessenger>();
  services.openDialog = std::make_unique<QtOpenDialog>(*services.messenger);
  services.saveDialog = std::make_unique<QtSaveDialog>(*services.messenger);
  services.helpViewer = MakeDocumentHelpViewer();
  services.settingsStore = MakeUserSettingsStore();
  services.recordPath = UserRecordPath();
  services.generator = std::make_unique<ClockSeededGenerator>();
  services.clock = std::make_unique<SteadyClock>();
  return services;
}

}  // namespace orvanel
