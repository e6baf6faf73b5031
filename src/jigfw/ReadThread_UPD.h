#pragma once

#include <QThread>
#include <memory>
#include <string>

#include "FirmwareSwitch.h"

namespace qjig {

// The firmware switch worker. Created running by Start; runs the switch once
// on its own thread over the start link, which it closes, and deletes itself
// when it ends. It never touches a window: everything it asks of the windows
// goes through `window`, which posts it to the UI thread.
class ReadThread_UPD final : public QThread {
  Q_OBJECT

 public:
  ReadThread_UPD(JigLink& startLink, std::string versionTag, std::string mode, ImageFolders images,
                 std::filesystem::path startLog, std::unique_ptr<UpdateWindowPort> window);

 protected:
  void run() override;

 private:
  JigLink& startLink_;
  const std::string versionTag_;
  const std::string mode_;
  const ImageFolders images_;
  const std::filesystem::path startLog_;
  const std::unique_ptr<UpdateWindowPort> window_;
};

}  // namespace qjig
