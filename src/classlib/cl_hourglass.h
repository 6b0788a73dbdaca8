// The hourglass cursor for as long as a guard lives: the cursor it replaced comes back when the
// guard goes or is restored early, whatever way the work ends.
#pragma once

#include "cl_forms.h"

class THourglass {
public:
    THourglass() : saved_(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
    ~THourglass() { Restore(); }
    THourglass(const THourglass&) = delete;
    THourglass& operator=(const THourglass&) = delete;
    void Restore() { Screen->SetCursor(saved_); }

private:
    TCursor saved_;
};
