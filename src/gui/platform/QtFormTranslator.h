#pragma once
// Lets the language's window translations reach Qt widgets: components are found by
// object name, and each property goes to the Qt equivalent of the control.
#include <memory>

#include "lang/FormTranslation.h"

class QWidget;
class QObject;

namespace kalorina::gui {

class QtFormTranslator : public TranslatableForm {
public:
    explicit QtFormTranslator(QWidget* form);
    ~QtFormTranslator() override;
    std::string FormName() const override;
    void SetCaption(const std::string& text) override;
    void SetHint(const std::string& text) override;
    void SetHelpFile(const std::string& text) override;
    TranslatableComponent* FindComponent(const std::string& name) override;

private:
    QWidget* form_;
    std::unique_ptr<TranslatableComponent> current_;
};

// Translates `form` with the current user-interface language.
void TranslateForm(QWidget* form);

} // namespace kalorina::gui
