#pragma once

#include "TarveloExport.h"

// The program tarvelo-instellingen, whole: its window, its commands and its
// demo office. It lives in the shared library with the pages it shows, so
// that the program carries no second copy of them; its executable is only
// main() calling this. No installed header declares it: it is the program,
// not a call for hosts.
extern "C" TARVELO_EXPORT int tarvelo_instellingen_main(int argc, char* argv[]);
