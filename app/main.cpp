// quorel [FILE]: FILE, when given, is taken as the starting file instead of asking for it.
#include "app/startup.h"

int main(int argc, char** argv) { return RunStartUp(argc, argv); }
