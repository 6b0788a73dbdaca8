#include "cl_except.h"

void Abort() { throw EAbort("Operation aborted"); }
