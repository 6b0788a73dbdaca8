// Double-byte-aware string routines of the shell controls: positional message formatting,
// right trimming, character copying and splitting a command line into its parameters.
#pragma once

#include <vector>

#include "cl_lists.h"
#include "cl_string.h"

// The format with %1, %2 ... replaced by the strings at those positions (the system's message
// formatting). Raises Exception (SFormatStrPosTooMany) for more than 50 strings.
AnsiString FormatStrPos(const AnsiString& format, const std::vector<AnsiString>& strings);
// Appends the parameters of the command line: blanks separate them, double quotes group blanks
// into one; empty parameters are dropped and each is right-trimmed.
void ParametizeCmdLineDB(const AnsiString& commandLine, TStrings* parameters);
// Removes trailing blanks and control characters; a double-byte character's trail byte is never
// taken for one.
AnsiString TrimRightDB(const AnsiString& text);
// Appends the character at the 1-based position (both bytes of a double-byte one) and steps
// past it.
void CopyCharDB(int& position, const AnsiString& text, AnsiString& destination);

extern const char* const SFormatStrPosTooMany;  // FormatStrPos: Too many substitution strings
