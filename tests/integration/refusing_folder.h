// A folder that refuses new entries while its files stay writable.
#pragma once

#include <string>

// For its lifetime: Wine maps the folder to a host directory, which the
// host's chattr marks immutable. Refuses() is false where that is not possible.
class RefusingFolder {
public:
    explicit RefusingFolder(const std::string& folder);
    ~RefusingFolder();
    RefusingFolder(const RefusingFolder&) = delete;
    RefusingFolder& operator=(const RefusingFolder&) = delete;
    bool Refuses() const { return refuses_; }

private:
    std::string folder_;
    std::string hostPath_;
    bool refuses_ = false;
};
