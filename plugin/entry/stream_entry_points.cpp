// Streams are all taken as local files: the data that arrives on the way is
// accepted and discarded, and only the finished file is read.
#include "plugin/entry/entry_points.h"

NPError NPP_NewStream(NPP instance, char* type, NPStream* stream, NPBool seekable, uint16_t* stype) noexcept {
    if (!instance)
        return NPERR_INVALID_INSTANCE_ERROR;
    if (stype)
        *stype = NP_ASFILE;
    return NPERR_NO_ERROR;
}

int32_t NPP_WriteReady(NPP instance, NPStream* stream) noexcept { return 65535; }

int32_t NPP_Write(NPP instance, NPStream* stream, int32_t offset, int32_t len, void* buffer) noexcept {
    return len;
}

NPError NPP_DestroyStream(NPP instance, NPStream* stream, NPReason reason) noexcept { return NPERR_NO_ERROR; }
