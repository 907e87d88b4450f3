#include <gtest/gtest.h>

#include "app/ProgramIdentity.h"

using namespace kalorina;

TEST(ProgramIdentity, ReportLineFromTheAboutBoxNames)
{
    // The names in code page 1250, as the footer of every report prints them.
    EXPECT_EQ(ReportIdentification({}),
              "\\sb180\\f4\\fs16 Kalorina Padl\xF3"
              "f\xFBt\xE9s m\xE9retez\xF5 "
              "1.02 (2005. 2. 8.) Kalorina fejleszt\xF5i csapat");
    // Translated names go through as given, one blank apart.
    EXPECT_EQ(ReportIdentification({"Floor heating designer", "1.02", "The team"}),
              "\\sb180\\f4\\fs16 Floor heating designer 1.02 The team");
}
