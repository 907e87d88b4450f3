#include "xml/XmlNodes.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "xml/XmlInternal.h"

namespace kalorina {

using detail::U;

const char* TAttrList::Analyze(const char* start)
{
    Clear();
    // Read in the order written and sorted once at the end: inserting each at its
    // sorted place would move the whole list for every attribute of a tag that
    // has very many.
    std::vector<std::unique_ptr<TAttr>> found;
    auto keep = [&] {
        // Of equal names the one written last comes first, as Add puts it.
        std::reverse(found.begin(), found.end());
        std::stable_sort(found.begin(), found.end(),
                         [](const auto& a, const auto& b) { return std::string_view(a->Name) < b->Name; });
        for (auto& attr : found)
            Append(std::move(attr));
    };
    const char* p = start;
    for (;;) {
        p = detail::SkipWs(p);
        if (*p == 0 || *p == '>' || !IsXmlNameStart(U(*p))) {
            keep();
            return p;
        }
        const char* nameStart = p;
        while (*p && !IsXmlWs(U(*p)) && *p != '/' && *p != '=' && *p != '>')
            ++p;
        auto attr = std::make_unique<TAttr>(std::string(nameStart, p), std::string());
        while (*p && *p != '=')
            ++p;
        if (*p == '=')
            ++p;
        while (*p && *p != '"' && *p != '\'')
            ++p;
        if (*p) {
            const char quote = *p++;
            const char* valueStart = p;
            while (*p && *p != quote)
                ++p;
            attr->Value.assign(valueStart, p);
            if (*p)
                ++p;
        }
        found.push_back(std::move(attr));
    }
}

int TElemList::LowerBound(std::string_view name) const
{
    int lo = 0, hi = Count();
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (std::string_view(At(mid)->Name) < name)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

TElemDef* TElemList::Add(std::unique_ptr<TElemDef> elem)
{
    int i = LowerBound(elem->Name);
    return Insert(i, std::move(elem));
}

int TElemList::IndexOf(std::string_view name) const
{
    int i = LowerBound(name);
    TElemDef* e = At(i);
    return e && e->Name == name ? i : -1;
}

TElemDef* TElemList::Node(std::string_view name) const
{
    return At(IndexOf(name));
}

} // namespace kalorina
