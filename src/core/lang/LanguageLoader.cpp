#include "lang/LanguageLoader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "lang/LanguageScanner.h"
#include "lang/Lzw.h"

namespace kalorina {

namespace {

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// "*.xm?": a name ending in ".XM" and exactly one more character.
bool MatchesLanguagePattern(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string tail = Upper(name.substr(name.size() - 4, 3));
    return tail == ".XM";
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

std::vector<std::string> LanguageFileNames(const std::string& directory)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(fs::path(directory), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            continue;
        std::string name = it->path().filename().string();
        if (MatchesLanguagePattern(name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsPlainLanguageFile(const std::string& fileName)
{
    const std::string upper = Upper(fileName);
    const auto at = upper.find(".XML");
    return at != std::string::npos && at + 4 == upper.size();
}

std::optional<TLanguage> LoadLanguageFile(const std::string& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return std::nullopt;
    const std::string name = std::filesystem::path(path).filename().string();
    const bool plain = IsPlainLanguageFile(name);
    try {
        std::string xml;
        if (plain)
            xml = std::move(bytes);
        else
            Compressing::Decode(bytes, xml);
        TLanguage lang = ScanLanguage(xml);
        lang.compressed = !plain;
        lang.fileName = path;
        return lang;
    } catch (const std::exception&) {
        // Undecodable, unscannable or too large: the file is skipped, start-up goes on.
        return std::nullopt;
    }
}

void LoadLanguages(TLanguages& languages, const std::string& directory)
{
    for (const std::string& name : LanguageFileNames(directory)) {
        const std::string path = (std::filesystem::path(directory) / name).string();
        if (auto lang = LoadLanguageFile(path))
            languages.AddLanguage(std::move(*lang)); // clears the flag of plain files
    }
}

} // namespace kalorina
