#include "cl_except.h"

const char* const SInvalidInteger = "'%s' is not a valid integer value";
const char* const SInvalidFloat = "'%s' is not a valid floating point value";
const char* const SListIndexError = "List index out of bounds (%d)";
const char* const SDuplicateString = "Duplicates not allowed";
const char* const SSortedListError = "Operation not allowed on sorted list";
const char* const SScanLine = "Scan line index out of range";
const char* const SUnknownClipboardFormat = "Unsupported clipboard format";
const char* const SOutOfResources = "Out of system resources";
const char* const SNoDefaultPrinter = "There is no default printer currently selected";
const char* const SIniFileWriteError = "Unable to write to %s";
const char* const SOperationAborted = "Operation aborted";
const char* const SInvalidFormat = "Format '%s' invalid or incompatible with argument";
const char* const SArgumentMissing = "No argument for format '%s'";
const char* const SDateEncodeError = "Invalid argument to date encode";
const char* const STimeEncodeError = "Invalid argument to time encode";
const char* const SInvalidDate = "'%s' is not a valid date";
const char* const SInvalidTime = "'%s' is not a valid time";
const char* const SInvalidDateTime = "'%s' is not a valid date and time";
const char* const SAssignError = "Cannot assign a %s to a %s";
const char* const SInvalidColor = "'%s' is not a valid colour";
const char* const SUnknownExtension = "Unknown picture file extension (.%s)";
const char* const SInvalidBitmap = "Bitmap image is not valid";
const char* const SJpegError = "JPEG error #%d";
const char* const SInvalidCast = "Invalid class typecast";
const char* const SAbstractError = "Abstract error";
const char* const SOleError = "OLE error %.8X";
const char* const SOKButton = "OK";
const char* const SCancelButton = "Cancel";
const char* const SHelpButton = "&Help";
const char* const SYesButton = "&Yes";
const char* const SNoButton = "&No";
const char* const SCloseButton = "&Close";
const char* const SAbortButton = "Abort";
const char* const SRetryButton = "&Retry";
const char* const SIgnoreButton = "&Ignore";
const char* const SAllButton = "&All";
const char* const SNoToAllButton = "N&o to All";
const char* const SYesToAllButton = "Yes to &All";

void Abort() { throw EAbort(SOperationAborted); }
