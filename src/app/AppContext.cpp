#include "AppContext.h"

#include <QCoreApplication>

namespace qjig {

ImageFolders ProgramImageFolders() {
  return {{QCoreApplication::applicationDirPath().toStdString(), QUILMAREX_DATA_DIR}};
}

}  // namespace qjig
