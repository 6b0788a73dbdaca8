// The class library's exceptions: one root with a message text, and the classes raised by the
// library's own units. Errors that are not bugs are always reported through these.
#pragma once

#include <exception>

#include "cl_string.h"

class Exception : public std::exception {
public:
    explicit Exception(const AnsiString& message = AnsiString()) : message_(message) {}
    ~Exception() override = default;

    const AnsiString& Message() const { return message_; }
    void SetMessage(const AnsiString& message) { message_ = message; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    AnsiString message_;
    int helpContext_ = 0;
};

#define CL_DECLARE_EXCEPTION(Name, Base)                                          \
    class Name : public Base {                                                    \
    public:                                                                       \
        explicit Name(const AnsiString& message = AnsiString()) : Base(message) {} \
    }

// The silent exception: unwinds like any other but is never shown to the user.
CL_DECLARE_EXCEPTION(EAbort, Exception);
CL_DECLARE_EXCEPTION(EConvertError, Exception);
CL_DECLARE_EXCEPTION(EListError, Exception);
CL_DECLARE_EXCEPTION(EStringListError, EListError);
CL_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
CL_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
CL_DECLARE_EXCEPTION(EPrinter, Exception);
CL_DECLARE_EXCEPTION(EIniFileException, Exception);
CL_DECLARE_EXCEPTION(EOutOfResources, Exception);
CL_DECLARE_EXCEPTION(EOutOfMemory, Exception);
CL_DECLARE_EXCEPTION(EInvalidCast, Exception);
CL_DECLARE_EXCEPTION(EStreamError, Exception);
CL_DECLARE_EXCEPTION(EReadError, EStreamError);
CL_DECLARE_EXCEPTION(EWriteError, EStreamError);
CL_DECLARE_EXCEPTION(EFCreateError, EStreamError);
CL_DECLARE_EXCEPTION(EFOpenError, EStreamError);
CL_DECLARE_EXCEPTION(ERegistryException, Exception);
CL_DECLARE_EXCEPTION(EAbstractError, Exception);
CL_DECLARE_EXCEPTION(EResNotFound, Exception);
CL_DECLARE_EXCEPTION(ETreeViewError, Exception);
CL_DECLARE_EXCEPTION(EDBEditError, Exception);
CL_DECLARE_EXCEPTION(EOutOfRange, Exception);
CL_DECLARE_EXCEPTION(EThread, Exception);

// A failed assertion: the caller's text as the message, the source name kept apart.
class EAssertionFailed : public Exception {
public:
    EAssertionFailed(const AnsiString& message, const AnsiString& sourceName = AnsiString())
        : Exception(message), sourceName_(sourceName) {}
    const AnsiString& SourceName() const { return sourceName_; }

private:
    AnsiString sourceName_;
};

// Raises EAbort.
[[noreturn]] void Abort();
