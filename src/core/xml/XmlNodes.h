#pragma once
// The small record types the XML scanner hands out: owning lists, name/value
// nodes kept sorted by name, tag attributes and the declarations of a document
// type.  All texts are 8-bit strings in the program's character set.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalorina {

// Value of an attribute of a tag: as written, or made so by its declaration.
enum TValueType { vtNormal, vtImplied, vtFixed, vtDefault };

// Declared type of an attribute.
enum TAttrType {
    atUnknown,
    atCData,
    atID,
    atIdRef,
    atIdRefs,
    atEntity,
    atEntities,
    atNmToken,
    atNmTokens,
    atNotation,
    atEnumeration
};

// Default clause of an attribute declaration.
enum TAttrDefault { adDefault, adRequired, adImplied, adFixed };

// Content kind of a declared element: "EMPTY", "ANY", "(#PCDATA ...", "( ...", anything else.
enum TElemType { etEmpty, etAny, etMixed, etChildren, etOther };

// A list that owns its objects; deleting an entry destroys it.
template <class T>
class TObjectList {
public:
    TObjectList() = default;
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;
    TObjectList(TObjectList&&) noexcept = default;
    TObjectList& operator=(TObjectList&&) noexcept = default;
    virtual ~TObjectList() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    // The entry at `index`, or nullptr outside the list.
    T* At(int index) const
    {
        return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
    }
    T* Last() const { return items_.empty() ? nullptr : items_.back().get(); }
    T* Append(std::unique_ptr<T> item)
    {
        items_.push_back(std::move(item));
        return items_.back().get();
    }
    T* Insert(int index, std::unique_ptr<T> item)
    {
        index = std::clamp(index, 0, Count());
        return items_.insert(items_.begin() + index, std::move(item))->get();
    }
    // Destroys the entry at `index`; nothing happens outside the list.
    void Delete(int index)
    {
        if (index >= 0 && index < Count())
            items_.erase(items_.begin() + index);
    }
    // Takes the entry at `index` out of the list without destroying it.
    std::unique_ptr<T> Extract(int index)
    {
        if (index < 0 || index >= Count())
            return nullptr;
        std::unique_ptr<T> item = std::move(items_[static_cast<std::size_t>(index)]);
        items_.erase(items_.begin() + index);
        return item;
    }
    void Clear() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::unique_ptr<T>> items_;
};

// A name and a value.
class TNvpNode {
public:
    TNvpNode() = default;
    TNvpNode(std::string name, std::string value) : Name(std::move(name)), Value(std::move(value)) {}
    virtual ~TNvpNode() = default;

    std::string Name;
    std::string Value;
};

// Nodes kept in ascending byte order of their names.  A new node goes before
// existing nodes of the same name, so a lookup by name finds the latest one.
template <class TNode = TNvpNode>
class TNvpList : public TObjectList<TNode> {
public:
    // Inserts at the sorted place and returns the node.
    TNode* Add(std::unique_ptr<TNode> node)
    {
        const int at = LowerBound(node->Name);
        return this->Insert(at, std::move(node));
    }
    // Exact, case-sensitive binary search; nullptr when no node has that name.
    TNode* Node(std::string_view name) const
    {
        int i = LowerBound(name);
        TNode* n = this->At(i);
        return n && n->Name == name ? n : nullptr;
    }
    // By position; nullptr outside the list.
    TNode* Node(int index) const { return this->At(index); }
    // Index of the node `Node(name)` returns, or -1.
    int IndexOf(std::string_view name) const
    {
        int i = LowerBound(name);
        TNode* n = this->At(i);
        return n && n->Name == name ? i : -1;
    }
    // The value of the node of that name; empty when there is none.
    std::string Value(std::string_view name) const
    {
        TNode* n = Node(name);
        return n ? n->Value : std::string();
    }
    // By position; empty texts outside the list.
    std::string Value(int index) const
    {
        TNode* n = this->At(index);
        return n ? n->Value : std::string();
    }
    std::string Name(int index) const
    {
        TNode* n = this->At(index);
        return n ? n->Name : std::string();
    }
    // Drops every node of that name.
    void Remove(std::string_view name)
    {
        for (int i = IndexOf(name); i >= 0; i = IndexOf(name))
            this->Delete(i);
    }

private:
    int LowerBound(std::string_view name) const
    {
        int lo = 0, hi = this->Count();
        while (lo < hi) {
            int mid = lo + (hi - lo) / 2;
            if (std::string_view(this->At(mid)->Name) < name)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }
};

// An attribute of a tag, an XML declaration or a processing instruction.
class TAttr : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    TValueType ValueType = vtNormal;
    TAttrType AttrType = atUnknown;
};

// The attributes of one tag.  Of two attributes of the same name, lookups by
// name find the one written last.
class TAttrList : public TNvpList<TAttr> {
public:
    // Empties the list and reads `name="value"` pairs from the zero-terminated
    // text at `start`.  Returns where reading stopped: at the zero byte, at ">",
    // or at the first byte that cannot start a name ("/" of an empty tag, "?").
    // Never reads past the terminating zero.
    const char* Analyze(const char* start);
};

// An entity declaration.  Value is the replacement text of an internal entity.
class TEntityDef : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    std::string SystemId;
    std::string PublicId;
    std::string NotationName;
    // An external entity: it has a system or public identifier.
    bool IsExternal() const { return !SystemId.empty() || !PublicId.empty(); }
};

// A notation declaration.  Value is the system identifier.
class TNotationDef : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    std::string PublicId;
};

// An attribute declaration.  Value is the default value.
class TAttrDef : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    std::string TypeDef;   // the type as written, e.g. "CDATA" or "(a|b)"
    std::string Notations; // the parenthesised list after NOTATION
    TAttrType AttrType = atUnknown;
    TAttrDefault DefaultType = adDefault;
};

// An element declaration with its attribute declarations (by attribute name).
class TElemDef : public TNvpList<TAttrDef> {
public:
    std::string Name;
    std::string Definition; // the content definition as written
    TElemType ElemType = etAny;
};

// Element declarations sorted by element name.
class TElemList : public TObjectList<TElemDef> {
public:
    TElemDef* Add(std::unique_ptr<TElemDef> elem);
    // Exact, case-sensitive binary search; nullptr when not declared.
    TElemDef* Node(std::string_view name) const;
    int IndexOf(std::string_view name) const;

private:
    int LowerBound(std::string_view name) const;
};

} // namespace kalorina
