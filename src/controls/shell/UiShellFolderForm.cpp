#include "UiShellFolderForm.h"

#include <string>

namespace {

const std::string Ellipsis = "...\\";

// One folder level less behind "...\": "\A\B\" becomes "\...\B\", "\...\B\" becomes "\...\".
std::string ShortenDirectory(std::string directory) {
    if (directory == "\\") return std::string();
    const bool rooted = !directory.empty() && directory[0] == '\\';
    if (rooted) directory.erase(0, 1);
    if (directory.compare(0, Ellipsis.size(), Ellipsis) == 0) directory.erase(0, Ellipsis.size());
    const std::string::size_type separator = directory.find('\\');
    directory = separator == std::string::npos ? std::string()
                                               : Ellipsis + directory.substr(separator + 1);
    return rooted ? "\\" + directory : directory;
}

}  // namespace

AnsiString ShortenPathToWidth(const AnsiString& path, int limit,
                              const std::function<int(const AnsiString&)>& textWidth) {
    std::string rest = path.str();
    std::string drive;
    if (rest.size() >= 2 && rest[1] == ':') {
        drive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    const std::string::size_type lastSeparator = rest.rfind('\\');
    std::string directory =
        lastSeparator == std::string::npos ? std::string() : rest.substr(0, lastSeparator + 1);
    const std::string name = rest.substr(directory.size());
    while (textWidth(AnsiString(drive + directory + name)) > limit &&
           (!drive.empty() || !directory.empty())) {
        if (directory == "\\" + Ellipsis) {
            drive.clear();
            directory = Ellipsis;
        } else if (!directory.empty()) {
            directory = ShortenDirectory(directory);
        } else {
            drive.clear();
        }
    }
    return AnsiString(drive + directory + name);
}
