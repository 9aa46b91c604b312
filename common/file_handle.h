// The names the editor still holds its file and search handles by, over the
// owned types; they go when the editor takes the owned types themselves.
#pragma once

#include "common/owned_handles.h"

class FileHandle : public OwnedFile {
public:
    using OwnedFile::OwnedFile;
    HANDLE Get() const { return get(); }
    bool IsValid() const { return static_cast<bool>(*this); }
    bool Close() { return close(); }
};

class FindHandle : public OwnedFind {
public:
    using OwnedFind::OwnedFind;
    HANDLE Get() const { return get(); }
    bool IsValid() const { return static_cast<bool>(*this); }
};
