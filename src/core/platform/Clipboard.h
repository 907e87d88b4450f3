#pragma once
// The clipboard as the program uses it: blocks of bytes under named formats.
#include <map>
#include <optional>
#include <string>

namespace kalorina {

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    // Empties the clipboard and puts every block at once (format name → bytes).
    virtual void Put(const std::map<std::string, std::string>& blocks) = 0;
    virtual bool HasFormat(const std::string& formatName) const = 0;
    virtual std::optional<std::string> Get(const std::string& formatName) const = 0;
};

// Keeps the blocks in memory: the clipboard of tests and of headless runs.
class MemoryClipboard : public ClipboardService {
public:
    void Put(const std::map<std::string, std::string>& blocks) override { blocks_ = blocks; }
    bool HasFormat(const std::string& f) const override { return blocks_.count(f) > 0; }
    std::optional<std::string> Get(const std::string& f) const override
    {
        auto it = blocks_.find(f);
        return it == blocks_.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

private:
    std::map<std::string, std::string> blocks_;
};

} // namespace kalorina
