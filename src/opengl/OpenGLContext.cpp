#include "OpenGLContext.h"

CurrentGLContext::CurrentGLContext(HDC dc, HGLRC rc)
    : savedDC_(wglGetCurrentDC()), savedRC_(wglGetCurrentContext()),
      switched_(rc && rc != savedRC_ && wglMakeCurrent(dc, rc)) {}

CurrentGLContext::~CurrentGLContext() {
    if (switched_) wglMakeCurrent(savedDC_, savedRC_);
}
