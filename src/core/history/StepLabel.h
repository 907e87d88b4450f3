#pragma once
// The name of a history step, kept as the key of its text and the names it quotes,
// so that the Edit menu shows it in the language chosen now, not in the one that was
// active when the step was made.
#include <string>
#include <utility>
#include <vector>

namespace kalorina {

struct StepLabel {
    std::string textId;            // IDS_STEP..., looked up when shown
    std::vector<std::string> args; // the names it quotes, code page 1250
    std::string fixed;             // a text as it stands, where there is no key

    StepLabel() = default;
    // A fixed text (tools and tests name their steps so).
    StepLabel(std::string text) : fixed(std::move(text)) {}
    StepLabel(const char* text) : fixed(text) {}
    static StepLabel Of(std::string id, std::vector<std::string> quoted = {})
    {
        StepLabel label;
        label.textId = std::move(id);
        label.args = std::move(quoted);
        return label;
    }

    // The name in the active language, code page 1250.
    std::string Text() const;

    bool operator==(const StepLabel&) const = default;
};

} // namespace kalorina
