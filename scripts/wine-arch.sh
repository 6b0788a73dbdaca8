#!/usr/bin/env bash
# Prints the Windows architecture whose programs Wine can run here: i686 where the kernel runs
# 32-bit programs (wine32), x86_64 otherwise (some kernels are booted without 32-bit emulation).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
