#include "app/ProgramEntry.h"

int main(int argc, char* argv[]) { return tarvelo_instellingen_main(argc, argv); }
