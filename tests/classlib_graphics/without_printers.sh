#!/usr/bin/env bash
# Runs a test program in the session's Wine prefix with every printer Wine has registered removed
# and CUPS out of reach, so the program sees a system without printers. Wine registers the CUPS
# queues again in the next program that can reach CUPS.
set -u
nt='HKCU\Software\Microsoft\Windows NT\CurrentVersion'
"$WINE" reg delete 'HKLM\System\CurrentControlSet\Control\Print\Printers' /f >/dev/null 2>&1
for key in Devices PrinterPorts; do
  "$WINE" reg delete "$nt\\$key" /va /f >/dev/null 2>&1
done
"$WINE" reg delete "$nt\\Windows" /v device /f >/dev/null 2>&1
CUPS_SERVER=/nonexistent/cups.sock exec "$WINE" "$@"
