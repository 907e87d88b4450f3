#include "app/TypeChooser.h"

#include <algorithm>

#include "lang/Alphabet.h"

namespace kalorina {

namespace {

struct TComboItem {
    int index = -1;
    std::vector<std::string> words; // at most three
    int Count() const { return static_cast<int>(words.size()); }
};

TComboItem Split(int index, const std::string& text)
{
    TComboItem item{index, {}};
    if (text.empty())
        return item;
    std::size_t blank = text.find(' ');
    item.words.push_back(text.substr(0, blank));
    if (blank == std::string::npos)
        return item;
    std::string rest = text.substr(blank + 1);
    blank = rest.find(' ');
    item.words.push_back(rest.substr(0, blank));
    if (blank != std::string::npos)
        item.words.push_back(rest.substr(blank + 1));
    return item;
}

// Leading words of `a` equal to those of `b`, never counting a's last word.
int Common(const TComboItem& a, const TComboItem& b)
{
    int limit = std::min(a.Count() - 1, b.Count());
    int n = 0;
    while (n < limit && a.words[n] == b.words[n])
        ++n;
    return n;
}

// Items that share two leading words in a whole run are joined into one first word,
// so that the tree does not grow a level with a single branch.
void MergePass(std::vector<TComboItem>& items)
{
    std::size_t start = 0;
    while (start < items.size()) {
        std::size_t end = start + 1;
        bool allTwo = true;
        while (end < items.size() && Common(items[end], items[end - 1]) >= 1) {
            allTwo = allTwo && Common(items[end], items[end - 1]) >= 2 && Common(items[end - 1], items[end]) >= 2;
            ++end;
        }
        if (end - start >= 2 && allTwo) {
            for (std::size_t i = start; i < end; ++i) {
                auto& w = items[i].words;
                w[0] += " " + w[1];
                w.erase(w.begin() + 1);
            }
        }
        start = end;
    }
}

// Characters of the blank-terminated leading tokens `a` and `b` have in common.
std::size_t CommonTokens(const std::string& a, const std::string& b)
{
    std::size_t count = 0;
    while (true) {
        std::size_t blank = a.find(' ', count);
        if (blank == std::string::npos || b.size() <= blank
            || a.compare(count, blank + 1 - count, b, count, blank + 1 - count) != 0)
            return count;
        count = blank + 1;
    }
}

// A group whose last words still start alike moves that common start into the
// group word, so that the leaves differ from their first character.
void SplitPass(std::vector<TComboItem>& items)
{
    std::size_t start = 0;
    while (start < items.size()) {
        const TComboItem& first = items[start];
        const int self = first.Count() - 1;
        std::size_t end = start + 1;
        while (end < items.size() && Common(first, items[end]) == self)
            ++end;
        if (self >= 1 && end - start >= 2 && end < items.size()) {
            const TComboItem& last = items[end - 1];
            std::size_t n = last.Count() > self ? CommonTokens(first.words[self], last.words[self]) : 0;
            if (n > 0) {
                const std::string common = first.words[self].substr(0, n);
                for (std::size_t i = start; i < end; ++i) {
                    auto& w = items[i].words;
                    if (static_cast<int>(w.size()) <= self || w[self].compare(0, n, common) != 0)
                        continue;
                    w[self - 1] += " " + w[self].substr(0, n);
                    w[self].erase(0, n);
                }
            }
        }
        start = end;
    }
}

std::string JoinFrom(const TComboItem& item, int from)
{
    std::string text;
    for (int i = from; i < item.Count(); ++i)
        text += (i > from ? " " : "") + item.words[i];
    return text;
}

} // namespace

std::vector<ComboTreeNode> BuildComboTree(const std::vector<std::string>& texts)
{
    std::vector<TComboItem> items;
    for (std::size_t i = 0; i < texts.size(); ++i)
        items.push_back(Split(static_cast<int>(i), texts[i]));
    items.push_back(Split(-1, "")); // closes the last group
    MergePass(items);
    SplitPass(items);

    std::vector<ComboTreeNode> roots;
    // The current path of group nodes, as indexes (pointers would move as vectors grow).
    int level1 = -1, level2 = -1;
    int q = 0;
    const std::size_t real = items.size() - 1;
    for (std::size_t i = 0; i < real; ++i) {
        const TComboItem& item = items[i];
        if (i + 1 < real)
            q = Common(items[i + 1], item);
        const int groupWords = item.Count() - 1;
        int k = 0;
        if (level1 >= 0 && k < groupWords && roots[level1].text == item.words[0]) {
            k = 1;
            if (level2 >= 0 && k < groupWords && roots[level1].children[level2].text == item.words[1])
                k = 2;
        }
        while (k < groupWords && k < q && k < 2) {
            if (k == 0) {
                roots.push_back({item.words[0], -1, {}});
                level1 = static_cast<int>(roots.size()) - 1;
                level2 = -1;
            } else {
                auto& children = roots[level1].children;
                children.push_back({item.words[1], -1, {}});
                level2 = static_cast<int>(children.size()) - 1;
            }
            ++k;
        }
        ComboTreeNode leaf{k > 0 ? JoinFrom(item, k) : texts[item.index], item.index, {}};
        if (k == 0)
            roots.push_back(std::move(leaf));
        else if (k == 1)
            roots[level1].children.push_back(std::move(leaf));
        else
            roots[level1].children[level2].children.push_back(std::move(leaf));
    }
    return roots;
}

void SortComboTree(std::vector<ComboTreeNode>& nodes)
{
    std::stable_sort(nodes.begin(), nodes.end(),
                     [](const ComboTreeNode& a, const ComboTreeNode& b) { return AlphabeticLess(a.text, b.text); });
    for (ComboTreeNode& node : nodes)
        SortComboTree(node.children);
}

} // namespace kalorina
