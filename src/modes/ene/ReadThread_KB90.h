#pragma once

#include <QThread>
#include <memory>

#include "Kb90Operation.h"

namespace qjig {

// The KB90xx worker. Created running by READ or WRITE once they have
// prepared the link and the file; runs the operation the window's state
// names on its own thread and deletes itself when it ends. It never touches
// the window: everything goes through `window`, which posts it.
class ReadThread_KB90 final : public QThread {
  Q_OBJECT

 public:
  ReadThread_KB90(Kb90Job job, std::unique_ptr<OperationPort> window);

 protected:
  void run() override;

 private:
  Kb90Job job_;
  const std::unique_ptr<OperationPort> window_;
};

}  // namespace qjig
