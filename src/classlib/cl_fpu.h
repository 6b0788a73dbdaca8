// The floating-point control state (the x87 control word and the SSE control register) kept
// intact around calls into foreign code: printer drivers, the PDF engine and OpenGL.
#pragma once

#include <cstdint>

uint16_t GetX87ControlWord();
void SetX87ControlWord(uint16_t controlWord);
// MXCSR: exception masks, rounding and flush-to-zero bits; the status flags read as they are.
uint32_t GetSSEControlWord();
void SetSSEControlWord(uint32_t controlWord);

// Saves both control words when it starts and puts them back when it ends, after clearing the
// exception flags that the foreign code left pending, so that a driver that unmasks an
// exception or changes the rounding or precision cannot affect the program's own arithmetic.
class TFPUControlGuard {
public:
    TFPUControlGuard();
    ~TFPUControlGuard();
    TFPUControlGuard(const TFPUControlGuard&) = delete;
    TFPUControlGuard& operator=(const TFPUControlGuard&) = delete;

private:
    uint16_t x87_;
    uint32_t sse_;
};
