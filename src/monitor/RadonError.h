// The monitor protocol's exception: a plain value carrying one message text, thrown by value
// and caught by reference by every window that talks to the monitor.
#pragma once

#include "cl_string.h"

class QMCRadonDataError {
public:
    explicit QMCRadonDataError(const AnsiString& text) : text_(text) {}
    QMCRadonDataError(const QMCRadonDataError& other) = default;
    QMCRadonDataError& operator=(const QMCRadonDataError& other) = default;
    ~QMCRadonDataError() = default;

    const AnsiString& GetText() const { return text_; }

private:
    AnsiString text_;
};
