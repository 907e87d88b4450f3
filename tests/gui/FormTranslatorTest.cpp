// Window translation reaching Qt controls: what a language file's property does to
// the control it names.
#include <QComboBox>
#include <QWidget>
#include <gtest/gtest.h>

#include "GuiTest.h"

#include "lang/TLanguages.h"
#include "platform/QtFormTranslator.h"
#include "util/Codepage.h"

using namespace kalorina;

namespace {

TLanguage LanguageWith(TLanguageForm form)
{
    TLanguage lang;
    lang.name = "Test";
    lang.userInterface = true;
    lang.compressed = true;
    lang.forms.push_back(std::move(form));
    return lang;
}

TLanguageFormItem Item(const char* name, const char* type, std::vector<std::string> ids,
                       std::vector<std::string> values)
{
    return {name, type, std::move(ids), std::move(values)};
}

} // namespace

namespace {
class QtFormTranslatorTest : public kalorina::test::GuiTest {};
} // namespace

TEST_F(QtFormTranslatorTest, TextOfAListComboSelectsItsEntryAndTextsKeepTheCodePage)
{
    QWidget form;
    form.setObjectName("TestForm");
    auto* list = new QComboBox(&form);
    list->setObjectName("Kind");
    list->addItems({"egy", "kettő", "három"});
    auto* open = new QObject(&form);
    open->setObjectName("OpenDialog");

    TLanguageForm f;
    f.name = "TestForm";
    f.propertyIds = {"HelpFile"};
    f.propertyValues = {Utf8ToCp1250("súgó.hlp")};
    f.items.push_back(Item("Kind", "TComboBox", {"Items.Strings", "Items.Strings", "Text"},
                           {"one", Utf8ToCp1250("kettő"), Utf8ToCp1250("kettő")}));
    f.items.push_back(Item("OpenDialog", "TOpenDialog", {"Filter"}, {Utf8ToCp1250("Projektfájl (*.klp)|*.klp")}));

    Languages().Clear();
    Languages().AddLanguage(LanguageWith(std::move(f)));
    Languages().SelectLanguage("Test");
    gui::TranslateForm(&form);
    Languages().Clear();

    // A drop-down list takes a Text by selecting the entry that reads so.
    EXPECT_EQ(list->itemText(0), "one");
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(form.property("helpFile").toString(), QString::fromUtf8("súgó.hlp"));
    EXPECT_EQ(open->property("kalorinaFilter").toString(), QString::fromUtf8("Projektfájl (*.klp)|*.klp"));
}
