// Placeholders for the instance entry points: they check their arguments and
// do nothing else yet.
#include "plugin/entry/entry_points.h"

NPError NPP_New(char* type, NPP instance, uint16_t mode, int16_t argc, char* argn[], char* argv[],
                NPSavedData* saved) {
    if (!instance)
        return NPERR_INVALID_INSTANCE_ERROR;
    return NPERR_NO_ERROR;
}

NPError NPP_Destroy(NPP instance, NPSavedData** save) {
    if (!instance)
        return NPERR_INVALID_INSTANCE_ERROR;
    return NPERR_NO_ERROR;
}

NPError NPP_SetWindow(NPP instance, NPWindow* window) {
    if (!window)
        return NPERR_GENERIC_ERROR;
    if (!instance)
        return NPERR_INVALID_INSTANCE_ERROR;
    return NPERR_NO_ERROR;
}
