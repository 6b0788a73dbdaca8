#include "UiShellStrings.h"

#include <windows.h>

#include "cl_except.h"

const char* const SFormatStrPosTooMany = "FormatStrPos: Too many substitution strings";

namespace {

constexpr size_t kMaxSubstitutions = 50;

bool IsLeadByte(const AnsiString& text, int position) {
    return IsDBCSLeadByte(static_cast<BYTE>(text[position]));
}

int CharLength(const AnsiString& text, int position) {
    return IsLeadByte(text, position) && position < text.Length() ? 2 : 1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The command-line scanner's states.
enum class TScan { Between, Plain, Quoted };

void AddParameter(AnsiString& parameter, TStrings* parameters) {
    const AnsiString trimmed = TrimRightDB(parameter);
    if (!trimmed.IsEmpty()) parameters->Add(trimmed);
    parameter = AnsiString();
}

}  // namespace

AnsiString FormatStrPos(const AnsiString& format, const std::vector<AnsiString>& strings) {
    if (format.IsEmpty()) return AnsiString();
    if (strings.size() > kMaxSubstitutions) throw Exception(SFormatStrPosTooMany);
    std::vector<DWORD_PTR> arguments;
    for (const AnsiString& s : strings) arguments.push_back(reinterpret_cast<DWORD_PTR>(s.c_str()));
    arguments.push_back(0);
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY,
        format.c_str(), 0, 0, reinterpret_cast<char*>(&buffer), 256,
        reinterpret_cast<va_list*>(arguments.data()));
    const AnsiString result = length && buffer ? AnsiString(buffer, length) : AnsiString();
    if (buffer) LocalFree(buffer);
    return result;
}

AnsiString TrimRightDB(const AnsiString& text) {
    int end = 0;
    for (int i = 1; i <= text.Length(); i += CharLength(text, i)) {
        const int length = CharLength(text, i);
        if (length == 2 || static_cast<BYTE>(text[i]) > 32) end = i + length - 1;
    }
    return text.SubString(1, end);
}

void CopyCharDB(int& position, const AnsiString& text, AnsiString& destination) {
    const int length = CharLength(text, position);
    destination += text.SubString(position, length);
    position += length;
}

void ParametizeCmdLineDB(const AnsiString& commandLine, TStrings* parameters) {
    TScan state = TScan::Between;
    AnsiString parameter;
    int i = 1;
    while (i <= commandLine.Length()) {
        const char c = commandLine[i];
        const bool lead = IsLeadByte(commandLine, i);
        if (state == TScan::Between) {
            if (!lead && IsBlank(c)) {
                ++i;
            } else if (!lead && c == '"') {
                state = TScan::Quoted;
                ++i;
            } else {
                state = TScan::Plain;
                CopyCharDB(i, commandLine, parameter);
            }
        } else if (state == TScan::Plain) {
            if (!lead && (IsBlank(c) || c == '"')) {
                AddParameter(parameter, parameters);
                state = c == '"' ? TScan::Quoted : TScan::Between;
                ++i;
            } else {
                CopyCharDB(i, commandLine, parameter);
            }
        } else if (!lead && c == '"') {
            AddParameter(parameter, parameters);
            state = TScan::Between;
            ++i;
        } else {
            CopyCharDB(i, commandLine, parameter);
        }
    }
    AddParameter(parameter, parameters);
}
