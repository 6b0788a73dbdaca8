#include "cl_except.h"
#include "cl_sys.h"

namespace {

AnsiString OleErrorText(long errorCode) {
    const AnsiString text = SysErrorMessage(static_cast<unsigned long>(errorCode));
    return text.IsEmpty() ? Format(SOleError, errorCode) : text;
}

}  // namespace

EOleSysError::EOleSysError(const AnsiString& message, long errorCode)
    : EOleError(message.IsEmpty() ? OleErrorText(errorCode) : message), errorCode_(errorCode) {}
