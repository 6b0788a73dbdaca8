// The calling thread's current OpenGL context: a guard that makes another one current for a
// while and puts the previous one back.
#pragma once

#include <windows.h>

// Makes (dc, rc) current, none for a null rc, releasing the current context first: an OpenGL
// library bound to the thread through another implementation (bitmaps are drawn by another
// one than windows) could otherwise take the new binding for one it already has.
bool SwitchGLContext(HDC dc, HGLRC rc);

class CurrentGLContext {
public:
    // Makes (dc, rc) current unless it already is.
    CurrentGLContext(HDC dc, HGLRC rc);
    ~CurrentGLContext();
    CurrentGLContext(const CurrentGLContext&) = delete;
    CurrentGLContext& operator=(const CurrentGLContext&) = delete;
    // True when `rc` is current for the guard's life.
    bool Holds(HGLRC rc) const { return rc && (switched_ || rc == savedRC_); }

private:
    HDC savedDC_;
    HGLRC savedRC_;
    bool switched_;
};
