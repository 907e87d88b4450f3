#pragma once
// The catalogue folder tree of one item kind, as the GUI shows it in a tree view.
#include <string>
#include <vector>

namespace kalorina {

struct DeviceTreeNode {
    std::string text;
    int tag = 0; // 0 root or folder; kind code + 1 for an item
    std::vector<DeviceTreeNode> children;
};

} // namespace kalorina
