#include "OpenGLContext.h"

bool SwitchGLContext(HDC dc, HGLRC rc) {
    wglMakeCurrent(nullptr, nullptr);
    return !rc || wglMakeCurrent(dc, rc);
}

CurrentGLContext::CurrentGLContext(HDC dc, HGLRC rc)
    : savedDC_(wglGetCurrentDC()), savedRC_(wglGetCurrentContext()),
      switched_(rc && rc != savedRC_ && SwitchGLContext(dc, rc)) {}

CurrentGLContext::~CurrentGLContext() {
    if (switched_) SwitchGLContext(savedDC_, savedRC_);
}
