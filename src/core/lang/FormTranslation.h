#pragma once
// What a window offers to translation.  The GUI wraps its widgets in these; tests
// use plain recording objects.  Captions may carry '&' accelerator marks.
#include <string>

namespace kalorina {

class TranslatableComponent {
public:
    virtual ~TranslatableComponent() = default;
    virtual void SetCaption(const std::string&) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetText(const std::string&) {}
    // List entries and list-view column captions, by position; false when the index
    // is beyond the list (such values are ignored).
    virtual bool SetEntry(int, const std::string&) { return false; }
    virtual void SetFilter(const std::string&) {}
    virtual void SetTitle(const std::string&) {}
    // Charts: lines of the chart title and the four axis titles ("Bottom", "Left", ...).
    virtual void AppendTitleLine(const std::string&) {}
    virtual void SetAxisTitle(const std::string&, const std::string&) {}
};

class TranslatableForm {
public:
    virtual ~TranslatableForm() = default;
    virtual std::string FormName() const = 0;
    virtual void SetCaption(const std::string&) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetHelpFile(const std::string&) {}
    // The component owned by the form with exactly this name, or nullptr.  The object
    // returned stays valid until the next call.
    virtual TranslatableComponent* FindComponent(const std::string& name) = 0;
};

} // namespace kalorina
