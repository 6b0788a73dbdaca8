// A library that only carries a version resource without a translation entry.
extern "C" __declspec(dllexport) int PanesProbe() { return 0; }
