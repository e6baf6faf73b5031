#include "LinkCommands.h"

#include <iostream>
#include <utility>

#include "CheckExit.h"
#include "ExitCodes.h"
#include "link/CheckProgrammer.h"
#include "link/QueryJigVersion.h"

namespace qjig::cli {

namespace {

struct CheckRowName {
  const char* name;
  CheckWindow window;
};

constexpr CheckRowName kRowNames[] = {
    {"edid", CheckWindow::Edid},         {"kb90", CheckWindow::Kb90},
    {"keyboard", CheckWindow::Keyboard}, {"mec", CheckWindow::Mec},
    {"ite", CheckWindow::Ite},           {"npce-spi", CheckWindow::NpceSpi},
    {"npce-jtag", CheckWindow::NpceJtag},
};

void PrintLine(const std::string& line) { std::cout << line << '\n' << std::flush; }

}  // namespace

int RunQuery(FtdiDriver& driver, const std::vector<std::string>& args) {
  if (!args.empty()) {
    std::cerr << "query takes no arguments\n";
    return kExitFailure;
  }
  JigLink link(driver);
  // Kept open as Start keeps it; the link closes when this returns.
  const std::string tag = QueryJigVersion(link, false);
  PrintLine(tag);
  return tag == kTagNoDevice || tag == kTagNoAnswer ? kExitNoJig : kExitSuccess;
}

int RunCheck(FtdiDriver& driver, const std::vector<std::string>& args) {
  const CheckRowName* row = nullptr;
  for (const CheckRowName& candidate : kRowNames)
    if (args.size() == 1 && args[0] == candidate.name) row = &candidate;
  if (!row) {
    std::cerr << "check needs one of: edid kb90 keyboard mec ite npce-spi npce-jtag\n";
    return kExitFailure;
  }
  // The ITE window writes each line into a Russian and an English box; the
  // command line shows the English one.
  std::vector<LineSink> boxes;
  if (row->window == CheckWindow::Ite) boxes.emplace_back([](const std::string&) {});
  if (row->window != CheckWindow::Keyboard) boxes.emplace_back(PrintLine);

  JigLink link(driver);
  std::string tag;
  const CheckResult result = CheckProgrammer(link, CheckRowFor(row->window), boxes, tag);
  link.Close();
  return result == CheckResult::Ready ? kExitSuccess : ExitForCheck(result);
}

}  // namespace qjig::cli
