// A private, emptied-on-exit folder under the system's temporary folder for one test.
#pragma once

#include "cl_string.h"

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full path of `name` inside the folder.
    AnsiString Path(const AnsiString& name) const { return path_ + name; }
    // The folder itself, with a trailing backslash.
    const AnsiString& Folder() const { return path_; }

private:
    AnsiString path_;
};
