// The codec's exception and its error routine: every error the GIF codec raises itself is a
// GIFException, a kind of the class library's invalid-graphic error.
#pragma once

#include "cl_except.h"

CL_DECLARE_EXCEPTION(GIFException, EInvalidGraphic);

[[noreturn]] void RaiseGIFError(const AnsiString& message);
