// The test base itself: modal dialogs are handled, nested ones too, and one nobody
// handles ends the test's wait instead of blocking it.
#include <QPushButton>
#include <gtest/gtest-spi.h>

#include "GuiTest.h"

using namespace kalorina;

namespace {
class GuiTestBase : public test::GuiTest {};
} // namespace

TEST_F(GuiTestBase, HandlersReachNestedDialogsInOrder)
{
    QDialog outer;
    outer.setObjectName("Outer");
    QDialog inner(&outer);
    inner.setObjectName("Inner");
    int innerResult = -1;
    OnModal(
        [&](QDialog& d) {
            innerResult = inner.exec();
            d.accept();
        },
        "Outer");
    OnModal([](QDialog& d) { d.reject(); }, "Inner");
    EXPECT_EQ(outer.exec(), QDialog::Accepted);
    EXPECT_EQ(innerResult, QDialog::Rejected);
}

TEST_F(GuiTestBase, AnUnhandledDialogIsClosedAfterABoundedWait)
{
    modalWaitMs = 100;
    QDialog lonely;
    lonely.setObjectName("Lonely");
    int result = -1;
    EXPECT_NONFATAL_FAILURE(result = lonely.exec(), "Lonely was not handled");
    EXPECT_EQ(result, QDialog::Rejected);
}
