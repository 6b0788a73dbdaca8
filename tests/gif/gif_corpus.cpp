#include "gif_corpus.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string WindowsPath(const std::string& unixPath)
{
    return unixPath.size() > 1 && unixPath[0] == '/' ? "Z:" + unixPath : unixPath;
}

}  // namespace

std::string CorpusPath(const std::string& name)
{
    return WindowsPath(std::string(GIF_CORPUS_DIR) + "/" + name);
}

std::string RoundTripPath(const std::string& name)
{
    const std::string dir = WindowsPath(GIF_ROUNDTRIP_DIR);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "/" + name;
}

std::vector<std::string> CorpusNames()
{
    std::ifstream manifest(CorpusPath("manifest.txt"));
    std::vector<std::string> names;
    for (std::string line; std::getline(manifest, line);)
        if (line.size() > 4)
            names.push_back(line.substr(0, line.size() - 4));
    return names;
}

Bytes ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<ReferenceFrame> ReferenceFrames(const std::string& name)
{
    std::ifstream sizes(CorpusPath(name + ".frames"));
    std::vector<ReferenceFrame> frames;
    for (std::string line; std::getline(sizes, line);) {
        ReferenceFrame frame;
        std::istringstream fields(line);
        char sign = 0;
        fields >> frame.Width >> frame.Height >> sign >> frame.Left >> sign >> frame.Top;
        frame.Rgba = ReadFileBytes(CorpusPath(name + "." + std::to_string(frames.size()) + ".rgba"));
        frames.push_back(std::move(frame));
    }
    return frames;
}
