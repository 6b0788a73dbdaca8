#include <windows.h>

#include "cl_string.h"

AnsiString AnsiUpperCase(const AnsiString& s) {
    std::string out = s.str();
    if (!out.empty()) CharUpperBuffA(&out[0], static_cast<DWORD>(out.size()));
    return out;
}

AnsiString AnsiLowerCase(const AnsiString& s) {
    std::string out = s.str();
    if (!out.empty()) CharLowerBuffA(&out[0], static_cast<DWORD>(out.size()));
    return out;
}

namespace {

int CompareWithFlags(const AnsiString& a, const AnsiString& b, DWORD flags) {
    return CompareStringA(LOCALE_USER_DEFAULT, flags, a.c_str(), a.Length(), b.c_str(),
                          b.Length()) -
           CSTR_EQUAL;
}

}  // namespace

int AnsiCompareText(const AnsiString& a, const AnsiString& b) {
    return CompareWithFlags(a, b, NORM_IGNORECASE);
}

int AnsiCompareStr(const AnsiString& a, const AnsiString& b) { return CompareWithFlags(a, b, 0); }
