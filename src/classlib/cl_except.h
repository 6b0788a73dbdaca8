// The class library's exceptions: one root with a message text, and the classes raised by the
// library's own units. Errors that are not bugs are always reported through these.
#pragma once

#include <exception>

#include "cl_string.h"

class Exception : public std::exception {
public:
    explicit Exception(const AnsiString& message = AnsiString()) : message_(message) {}
    // The message is Format(format, args...).
    template <class A0, class... A>
    Exception(const AnsiString& format, const A0& first, const A&... rest)
        : message_(Format(format, first, rest...)) {}
    ~Exception() override = default;

    template <class... A> static Exception CreateFmt(const AnsiString& format, const A&... args) {
        return Exception(Format(format, args...));
    }

    const AnsiString& Message() const { return message_; }
    void SetMessage(const AnsiString& message) { message_ = message; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    AnsiString message_;
    int helpContext_ = 0;
};

#define CL_DECLARE_EXCEPTION(Name, Base)                                             \
    class Name : public Base {                                                       \
    public:                                                                          \
        explicit Name(const AnsiString& message = AnsiString()) : Base(message) {}    \
        template <class A0, class... A>                                              \
        Name(const AnsiString& format, const A0& first, const A&... rest)            \
            : Base(Format(format, first, rest...)) {}                                \
        template <class... A>                                                        \
        static Name CreateFmt(const AnsiString& format, const A&... args) {          \
            return Name(Format(format, args...));                                    \
        }                                                                            \
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

CL_DECLARE_EXCEPTION(EOleError, Exception);

// A failed COM call: its HRESULT, and the system's text for it unless the caller gives one.
class EOleSysError : public EOleError {
public:
    EOleSysError(const AnsiString& message, long errorCode);
    long ErrorCode() const { return errorCode_; }

private:
    long errorCode_;
};

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

// The class library's own texts, in one table. The first group is fixed; the rest are ours.
extern const char* const SInvalidInteger;         // '%s' is not a valid integer value
extern const char* const SInvalidFloat;           // '%s' is not a valid floating point value
extern const char* const SListIndexError;         // List index out of bounds (%d)
extern const char* const SDuplicateString;        // Duplicates not allowed
extern const char* const SSortedListError;        // Operation not allowed on sorted list
extern const char* const SScanLine;               // Scan line index out of range
extern const char* const SUnknownClipboardFormat; // Unsupported clipboard format
extern const char* const SOutOfResources;         // Out of system resources
extern const char* const SNoDefaultPrinter;       // There is no default printer currently selected
extern const char* const SIniFileWriteError;      // Unable to write to %s
extern const char* const SOperationAborted;
extern const char* const SInvalidFormat;          // Format '%s' ...: bad specifier or argument
extern const char* const SArgumentMissing;        // No argument for format '%s'
extern const char* const SDateEncodeError;
extern const char* const STimeEncodeError;
extern const char* const SInvalidDate;            // '%s' is not a valid date
extern const char* const SInvalidTime;            // '%s' is not a valid time
extern const char* const SInvalidDateTime;        // '%s' is not a valid date and time
extern const char* const SAssignError;            // Cannot assign a %s to a %s
extern const char* const SInvalidColor;           // '%s' is not a valid colour
extern const char* const SUnknownExtension;       // Unknown picture file extension (.%s)
extern const char* const SInvalidBitmap;
extern const char* const SJpegError;              // JPEG error #%d
extern const char* const SInvalidCast;
extern const char* const SAbstractError;
extern const char* const SOleError;               // OLE error %.8X
// The standard button captions.
extern const char* const SOKButton;               // OK
extern const char* const SCancelButton;           // Cancel
extern const char* const SHelpButton;             // &Help
extern const char* const SYesButton;              // &Yes
extern const char* const SNoButton;               // &No
extern const char* const SCloseButton;            // &Close
extern const char* const SAbortButton;            // Abort
extern const char* const SRetryButton;            // &Retry
extern const char* const SIgnoreButton;           // &Ignore
extern const char* const SAllButton;              // &All
extern const char* const SNoToAllButton;          // N&o to All
extern const char* const SYesToAllButton;         // Yes to &All
