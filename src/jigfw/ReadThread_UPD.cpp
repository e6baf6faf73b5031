#include "ReadThread_UPD.h"

namespace qjig {

ReadThread_UPD::ReadThread_UPD(JigLink& startLink, std::string versionTag, std::string mode,
                               ImageFolders images, std::filesystem::path startLog,
                               std::unique_ptr<UpdateWindowPort> window)
    : startLink_(startLink),
      versionTag_(std::move(versionTag)),
      mode_(std::move(mode)),
      images_(std::move(images)),
      startLog_(std::move(startLog)),
      window_(std::move(window)) {
  connect(this, &QThread::finished, this, &QObject::deleteLater);
  start();
}

void ReadThread_UPD::run() {
  RunFirmwareSwitch(startLink_, versionTag_, mode_, images_, *window_, startLog_);
}

}  // namespace qjig
