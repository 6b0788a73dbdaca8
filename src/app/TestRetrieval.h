// Reading a whole test from the monitor into its device record, all or nothing: a failure
// part-way puts the record back as it was, so that no window shows or saves parts of two tests.
#pragma once

class TRadon;

// Reads the monitor's whole test, then its header once more: the records just read stand only
// while the monitor still holds as many. Any failure puts the device record back as it was and
// passes on (a protocol failure as QMCRadonDataError).
void RetrieveWholeTest(TRadon& monitor);
