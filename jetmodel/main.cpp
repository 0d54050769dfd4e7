// mardex2k: the buoyant jet model of Plumex. Reads "UDF" in the working
// directory, writes "Suspend" and "Plxdata" there (see jet-model.md).
#include "Run.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <string>

#ifndef MARDEX2K_VERSION
#define MARDEX2K_VERSION "0.0.0"
#endif

namespace {

const char* const kUsage =
    "Usage: mardex2k [-C DIR] [--help] [--version] [--capabilities]\n"
    "\n"
    "Computes the buoyant jets described in the file UDF of the working directory\n"
    "(or of DIR with -C) and writes the summary file Suspend and then the trajectory\n"
    "file Plxdata beside it. Plxdata appears only when it is complete.\n"
    "\n"
    "Model: a Lagrangian integral model with top-hat profiles. Shear entrainment\n"
    "after Jirka (2004), forced entrainment by the current after Frick (1984), no\n"
    "drag; classical Runge-Kutta in time with steps of about a tenth of the jet\n"
    "radius. A jet stops at the surface, at the sea bed, at its terminal level in\n"
    "stratified water, at the step cap, or when it comes to rest.\n"
    "\n"
    "A jet discharged against its buoyancy (brine discharged upward) mixes like a\n"
    "pure jet while it rises, sheds part of its buoyancy at its unstable lower edge,\n"
    "and mixes more on its way down; calibrated on inclined dense jets at 60 degrees.\n"
    "\n"
    "A row of ports: line 3's n is the number of ports in the row, and line 4 may\n"
    "carry the port spacing s (m) and the direction psi of the diffuser axis\n"
    "(degrees, counter-clockwise from the current): 'Ua theta 999.0 s psi'. Once a\n"
    "port's plume reaches its neighbours' it entrains only through its free\n"
    "perimeter and the row's projected width, and tends to a line plume.\n"
    "\n"
    "--capabilities lists the input features this program reads beyond the basic\n"
    "format, one word a line: 'port-row' (the optional 's psi' of line 4).\n"
    "\n"
    "Limitations: ports of one row only (no rosettes, unequal ports or separate\n"
    "outfalls), and the jet does not interact with the surface or the bed (it\n"
    "only stops there).\n"
    "\n"
    "Exit status: 0 done; 2 the input could not be read or parsed, or bad usage\n"
    "(one line on standard error, no output written); 1 an output file could not\n"
    "be written.\n";

// The answer to --capabilities.
const char* const kCapabilities = "port-row\n";

}  // namespace

// The step factor of --step-factor: a finite number in (0, 1].
static bool parseStepFactor(const char* text, double& out)
{
  char* end = nullptr;
  const double v = std::strtod(text, &end);
  if (end == text || *end != '\0' || !std::isfinite(v) || !(v > 0.0) || v > 1.0)
    return false;
  out = v;
  return true;
}

int main(int argc, char** argv)
{
  std::string dir = ".";
  mardex::IntegratorOptions options;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
      std::cout << kUsage;
      return 0;
    }
    if (std::strcmp(a, "--version") == 0) {
      std::cout << "mardex2k " << MARDEX2K_VERSION << '\n';
      return 0;
    }
    // The host asks which input features this program reads before it writes
    // them: one word a line, exit 0. 'port-row': line 4 may carry the row's
    // port spacing and axis, 'Ua theta 999.0 s psi', and line 3's n is the
    // number of ports in the row. A program without the option exits 2
    // ("unknown argument"), which tells the host to write 3 numbers on line 4.
    if (std::strcmp(a, "--capabilities") == 0) {
      std::cout << kCapabilities;
      return 0;
    }
    if (std::strcmp(a, "-C") == 0) {
      if (i + 1 >= argc) {
        std::cerr << "mardex2k: option -C needs a directory (see --help)\n";
        return mardex::kExitBadInput;
      }
      dir = argv[++i];
      continue;
    }
    // Hidden option for convergence tests: the arc-length step as a fraction
    // of the jet radius (0.1 by default). Described in the model's help page.
    if (std::strcmp(a, "--step-factor") == 0) {
      if (i + 1 >= argc || !parseStepFactor(argv[i + 1], options.stepFactor)) {
        std::cerr << "mardex2k: option --step-factor needs a number above 0 and at most 1\n";
        return mardex::kExitBadInput;
      }
      ++i;
      continue;
    }
    std::cerr << "mardex2k: unknown argument '" << a << "' (see --help)\n";
    return mardex::kExitBadInput;
  }
  try {
    return mardex::runModel(dir, std::cerr, options);
  } catch (const std::bad_alloc&) {
    std::cerr << "mardex2k: " << dir << "/UDF: out of memory reading or computing the input\n";
  } catch (const std::exception& e) {
    std::cerr << "mardex2k: " << e.what() << '\n';
  }
  return mardex::kExitBadInput;
}
