#pragma once
// Scratch catalogue directories for the loader tests.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace kalorina::test {

class ScratchCatalogue {
public:
    ScratchCatalogue()
    {
        static std::atomic<int> counter{0};
        dir_ = std::filesystem::temp_directory_path()
            / ("kalorina-cat-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    ~ScratchCatalogue() { std::filesystem::remove_all(dir_); }

    void Write(const std::string& name, const std::string& body, bool prolog = true)
    {
        auto path = dir_ / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        if (prolog)
            out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Catalogue>\n" << body << "\n</Catalogue>\n";
        else
            out << body;
    }
    std::string Dir() const { return dir_.string(); }

private:
    std::filesystem::path dir_;
};

// An item header with a valid date.
inline std::string Header(const std::string& name, const std::string& path, const std::string& extra = "")
{
    return "<ItemHeader><Year>2024</Year><Month>3</Month><Day>1</Day><ItemPath>" + path + "</ItemPath><ItemName>" + name
        + "</ItemName>" + extra + "</ItemHeader>";
}

inline std::string Medium(const std::string& name, const std::string& path = "Media", const std::string& extra = "")
{
    return "<TervaldDBMedium>" + Header(name, path, extra) + "</TervaldDBMedium>\n";
}

} // namespace kalorina::test
