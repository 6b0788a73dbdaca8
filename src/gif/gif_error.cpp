#include "gif_error.h"

void RaiseGIFError(const AnsiString& message)
{
    throw GIFException(message);
}
