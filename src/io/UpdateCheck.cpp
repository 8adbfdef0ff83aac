// Help > "Check the web site for updates": ask the maker's server, tell the user.
#include "app/Orbala.h"
#include "app/Text.h"

#include "app/Maker.h"
#include "io/core/UpdateCheck.h"
#include "table/core/Numbers.h"

namespace {
const char* const kUpdateTitle = "Check for update";
}

// The exchange runs on a thread of its own; its result comes back through showUpdateResult.
long Orbala::onCmdCheckUpdate(FXObject*, FXSelector, void*) {
  if (!updateCheck) {
    updateCheck = std::make_unique<UpdateCheckWorker>(
        getApp(), [this](const orbala::UpdateCheckResult& result) { showUpdateResult(result); });
  }
  const std::string host = updateHost.empty() ? maker::kUpdateServer : updateHost;
  updateCheck->start(host, updatePort, orbala::parseNumber(str(kVersion)), updateTimeLimitMs);
  return 1;
}

// Greyed while a check runs: one at a time is enough.
long Orbala::onUpdCheckUpdate(FXObject* sender, FXSelector, void*) {
  const bool idle = !updateCheck || !updateCheck->running();
  sender->handle(this, FXSEL(SEL_COMMAND, idle ? ID_ENABLE : ID_DISABLE), nullptr);
  return 1;
}

void Orbala::showUpdateResult(const orbala::UpdateCheckResult& result) {
  switch (result.code) {
  case orbala::kUpdateNoSocket:
  case orbala::kUpdateNoHost:
    dialogs->message(this, BoxKind::Error, kUpdateTitle,
                     FXStringFormat("Connection error (%d) checking for update.", result.code));
    break;
  case orbala::kUpdateNoConnection:
    dialogs->message(this, BoxKind::Error, kUpdateTitle,
                     "Connection error (2) checking for update.\n\nThis may not work over a VPN "
                     "connection.");
    break;
  case orbala::kUpdateReadError:
    dialogs->message(this, BoxKind::Error, kUpdateTitle, "Read error (3) checking for update.");
    break;
  case orbala::kUpdateNewVersion:
    if (dialogs->question(this, kUpdateTitle,
                          fx("A new version (v" + orbala::formatFixed(result.version, 2) +
                             ") is available.\n\nClick \"Yes\" to go to the download site.\n")))
      openInBrowser(maker::kDownloadPage);
    break;
  case orbala::kUpdateCurrent:
    dialogs->message(this, BoxKind::Information, kUpdateTitle, "You have the current version.");
    break;
  default:
    dialogs->message(this, BoxKind::Error, kUpdateTitle, "Unknown error (6) checking for update.");
    break;
  }
}
