#include "cl_hooks.h"

ClassLibHooks& Hooks() {
    static ClassLibHooks hooks;
    return hooks;
}
