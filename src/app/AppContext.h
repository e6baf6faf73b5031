#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "jigfw/FirmwareSwitch.h"
#include "link/FtdiDriver.h"
#include "link/JigLink.h"
#include "VirtualBench.h"

namespace qjig {

namespace ui {
class Dialogs;
}

class TForm1;
class TEDID_form;
class TKB901X_forms;
class TKeyboard_testing;
class TMEC16_Form;
class TITE_FORM;
class TNPCE_FORM;
class TUPDATE_FORM;
class TForm_NUVOTON_JTAG;

// The program's windows by their instance names, filled in as they are
// created (ProgramWindows), in this order.
struct AppWindows {
  TForm1* Form1 = nullptr;
  TEDID_form* EDID_form = nullptr;
  TKB901X_forms* KB901X_forms = nullptr;
  TKeyboard_testing* Keyboard_testing = nullptr;
  TMEC16_Form* MEC16_Form = nullptr;
  TITE_FORM* ITE_FORM = nullptr;
  TNPCE_FORM* NPCE_FORM = nullptr;
  TUPDATE_FORM* UPDATE_FORM = nullptr;
  TForm_NUVOTON_JTAG* Form_NUVOTON_JTAG = nullptr;
};

// What the windows share for the life of the program.
struct AppContext {
  AppContext(std::unique_ptr<FtdiDriver> driver, ui::Dialogs& dialogs, ImageFolders imageFolders,
             std::filesystem::path startLogPath)
      : driver(std::move(driver)),
        dialogs(dialogs),
        imageFolders(std::move(imageFolders)),
        startLogPath(std::move(startLogPath)),
        startLink(*this->driver) {}
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // Every window opens its own link through this driver.
  const std::unique_ptr<FtdiDriver> driver;
  ui::Dialogs& dialogs;
  const ImageFolders imageFolders;
  const std::filesystem::path startLogPath;

  // Rewritten by every Start; the firmware switch and the mode windows work
  // on copies.
  std::string versionTag;
  // Left open by Start for the firmware switch, which closes it.
  JigLink startLink;
  // Set by the main window's 5-second timer, read by the firmware switch
  // while it waits for the bootloader.
  std::atomic<bool> bootTimedOut{false};

  AppWindows windows;
  // The virtual bench when the program runs on one (--sim), for its window.
  std::optional<sim::VirtualBench> simBench;
};

// Where an installed program finds the jig's firmware images: its own folder
// first, then the installed data folder.
ImageFolders ProgramImageFolders();

}  // namespace qjig
