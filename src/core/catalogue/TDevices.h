#pragma once
// The device catalogue: every item read from the XML files of the data directory,
// held unchanged for the life of the program and looked up by kind and name.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "catalogue/DeviceDBItem.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/DeviceTreeNode.h"
#include "catalogue/TXMLMacroItem.h"

namespace kalorina {

class TXmlParser;
class CatalogueReader;

class TDevices {
public:
    using ItemList = std::vector<std::unique_ptr<DeviceDBItem>>;

    // An empty catalogue.
    TDevices() = default;
    // Loads every *.xml file of `dataDir` and the files they include.  `language`
    // is the catalogue language the Language attributes are compared with (the
    // text of IDS_DEVICEDBLANGUAGE).  A missing directory gives an empty catalogue.
    TDevices(const std::string& dataDir, const std::string& language);
    TDevices(const std::string& dataDir, const std::string& language, bool& failed);

    // A file could not be opened, or reading ended with a failure.
    bool Failed() const { return failed_; }
    // What went wrong (code page 1250), empty when nothing did.
    const std::string& FailureMessage() const { return failureMessage_; }

    const DeviceDBItem* FindDevice(int kind, const std::string& name) const;
    template <class T>
    const T* Find(int kind, const std::string& name) const
    {
        return dynamic_cast<const T*>(FindDevice(kind, name));
    }
    // (itemPath, itemName) of the item at `index` of the kind's list.
    std::optional<std::pair<std::string, std::string>> DeviceAt(int kind, std::size_t index) const;
    DeviceTreeNode FillDeviceTree(int kind, const std::string& rootCaption) const;
    std::vector<std::string> FillDeviceCombo(int kind) const;
    std::string DefaultValveName() const;
    // The medium new projects start with: the first one marked as the default;
    // empty when none is.
    std::string DefaultMediumName() const;
    std::vector<std::string> WriteSecurityCodes() const;

    // The kind's list in load order (valves: only those that passed the check).
    const ItemList& Items(int kind) const;
    const ItemList& FailedValves() const { return failedValves_; }

    // Files read, in order (for diagnostics and tests).
    const std::vector<std::string>& FilesRead() const { return filesRead_; }

private:
    void Load(const std::string& dataDir);
    // An include written as `written` and found at `file` lies in the data folder:
    // neither absolute nor leaving it through "..".
    bool InsideDataFolder(const std::string& written, const std::string& file) const;
    void ReadFile(TXmlParser& parser, const std::string& path, std::vector<std::string>& queue);
    void ReadGlobalMacros(CatalogueReader& reader);
    void AddItem(std::unique_ptr<DeviceDBItem> item);
    void Fail(const std::string& message);

    std::string language_;
    CatalogueMacros macros_;
    ItemList lists_[kDeviceKindCount];
    ItemList failedValves_;
    std::vector<std::string> filesRead_;
    std::vector<std::string> included_;
    std::unordered_set<std::string> includedSet_; // included_, for the lookup
    int failuresNotListed_ = 0;
    std::string dataDir_; // normalised: includes stay inside it
    bool failed_ = false;
    std::string failureMessage_;
};

} // namespace kalorina
