#include <iostream>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "LinkCommands.h"
#include "WindowCommands.h"
#include "link/DriverOptions.h"

namespace {

void PrintUsage(std::ostream& out) {
  out << "usage: quilmarex-jig-cli [driver options] COMMAND [ARGS]\n"
         "\n"
         "commands:\n"
         "  query             find the jig as Start does and print its version tag\n"
         "  check ROW         run one window's programmer check; ROW is one of\n"
         "                    edid kb90 keyboard mec ite npce-spi npce-jtag\n"
         "  start MODE        press Start with MODE chosen in the main window (e.g.\n"
         "                    \"ENE KB90XX\"); prints the update window's lines and\n"
         "                    ends when the mode window opens or the switch failed\n"
         "  screenshot DIR    draw every window into DIR/<window>.png\n"
         "  ene read FILE [--brimex]\n"
         "                    KB90XX_READ into FILE; --brimex chooses the BRIMEX\n"
         "                    adapter board first (the jig must run ENE_EDID_KB)\n"
         "  ene write FILE [--brimex]\n"
         "                    KB90XX_WRITE FILE, with its verification\n"
         "  ene wiring --board TEXT --ffc N [--reversed]\n"
         "                    the FFC wiring for the first motherboard in\n"
         "                    \"MB connection ENE.txt\" whose entry starts with TEXT\n"
         "  edid read FILE    EDID_READ: the panel's EEPROM into FILE (the jig must\n"
         "                    run ENE_EDID_KB)\n"
         "  edid write FILE   EDID_WRITE: FILE into the panel's EEPROM\n"
         "  keyboard scan --seconds N [--buzzer-off]\n"
         "                    START SCAN, STOP after N seconds; prints each\n"
         "                    indicator change (\"5-7 red\") and each new status\n"
         "                    (the jig must run ENE_EDID_KB)\n"
         "\n"
         "driver options:\n"
      << qjig::kDriverOptionsHelp
      << "\n"
         "exit status: 0 success, 1 failure, 2 no jig, 3 wrong jig firmware\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qjig;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    PrintUsage(std::cout);
    return cli::kExitSuccess;
  }
  DriverOptions options;
  if (const std::string error = TakeDriverOptions(args, options); !error.empty()) {
    std::cerr << "quilmarex-jig-cli: " << error << '\n';
    return cli::kExitFailure;
  }
  if (args.empty()) {
    PrintUsage(std::cerr);
    return cli::kExitFailure;
  }
  DriverChoice choice = MakeDriver(options);
  if (!choice.driver) {
    std::cerr << "quilmarex-jig-cli: " << choice.error << '\n';
    return cli::kExitFailure;
  }
  const std::string command = args.front();
  args.erase(args.begin());
  if (command == "query") return cli::RunQuery(*choice.driver, args);
  if (command == "check") return cli::RunCheck(*choice.driver, args);
  if (cli::IsWindowCommand(command))
    return cli::RunWindowCommand(command, std::move(choice), args, argv[0]);
  std::cerr << "quilmarex-jig-cli: unknown command '" << command << "'\n";
  PrintUsage(std::cerr);
  return cli::kExitFailure;
}
