// Placeholder for the intake of a finished definition file: ignores it.
#include "plugin/entry/entry_points.h"

void NPP_StreamAsFile(NPP instance, NPStream* stream, const char* fname) {}
