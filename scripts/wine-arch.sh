#!/usr/bin/env bash
# Prints the Windows architecture whose programs Wine can run here: i686 where the kernel runs
# 32-bit programs (wine32), x86_64 otherwise (some kernels are booted without 32-bit emulation).
# WINE_ARCH=x86_64 picks the 64-bit build where both run, to try the fallback.
if [ -n "${WINE_ARCH:-}" ]; then echo "$WINE_ARCH"; exit 0; fi
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
