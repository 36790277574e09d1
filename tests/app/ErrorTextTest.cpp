// The texts of the error boxes and the application title.

#include <gtest/gtest.h>

#include "tests/app/QStringPrinter.h"

#include "app/ApplicationTitle.h"
#include "app/ErrorText.h"

namespace {

struct TextCase {
    const char* given;
    const char* shown;
};

class FullStopRule : public testing::TestWithParam<TextCase> {};

TEST_P(FullStopRule, AppendsAFullStopAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(withFullStop(QString::fromUtf8(GetParam().given)),
              QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FullStopRule,
    testing::Values(TextCase{"ClientDataSet1: Missing data provider or data packet",
                             "ClientDataSet1: Missing data provider or data packet."},
                    TextCase{"Ends with a digit 7", "Ends with a digit 7."},
                    TextCase{"Already ends.", "Already ends."}, TextCase{"Shouted!", "Shouted!"},
                    TextCase{"Comma,", "Comma,"}, TextCase{"(bracket)", "(bracket)"},
                    TextCase{"blank ", "blank "}, TextCase{"minus-", "minus-"},
                    TextCase{"slash/", "slash/."},  // "/" sorts right after "."
                    TextCase{"colon:", "colon:."}, TextCase{"字段", "字段."}, TextCase{"", ""},
                    TextCase{".", "."}));

TEST(StartupFailureText, NamesClassModuleAddressAndMessage) {
    EXPECT_EQ(startupFailureText("Exception", "checkgrid", 0x1a2b3, "Error loading libdsengine.so"),
              "Exception Exception in module checkgrid at 0001A2B3.\n"
              "Error loading libdsengine.so.");
    EXPECT_EQ(startupFailureText("EDatabaseError", "checkgrid", 0,
                                 "ClientDataSet1: Field 'AInt' not found"),
              "Exception EDatabaseError in module checkgrid at 00000000.\n"
              "ClientDataSet1: Field 'AInt' not found.");
    EXPECT_EQ(startupFailureText("EReadError", "a.out", 0xFFFFFFFF, "Line 3: ends."),
              "Exception EReadError in module a.out at FFFFFFFF.\nLine 3: ends.");
}

TEST(RuntimeErrorText, RightAlignsTheNumberInTheTemplatesBlanks) {
    // The template: "Runtime error     at 00000000".
    EXPECT_EQ(runtimeErrorText(217, 0), "Runtime error 217 at 00000000");
    EXPECT_EQ(runtimeErrorText(5, 0x4A2F), "Runtime error   5 at 00004A2F");
    EXPECT_EQ(runtimeErrorText(1000, 0xdeadbeef), "Runtime error1000 at DEADBEEF");
}

class ApplicationTitle : public testing::TestWithParam<TextCase> {};

TEST_P(ApplicationTitle, ComesFromTheExecutablesFileName) {
    EXPECT_EQ(applicationTitleFromFile(QString::fromUtf8(GetParam().given)),
              QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ApplicationTitle,
    testing::Values(TextCase{"/usr/local/bin/checkgrid", "Checkgrid"}, TextCase{"DEMO.EXE", "Demo"},
                    TextCase{"/opt/My.Check.Grid", "My"}, TextCase{"/a.b/CheckGrid", "Checkgrid"},
                    TextCase{"ÄRGER.bin", "Ärger"}, TextCase{".hidden", ""}, TextCase{"", ""}));

}  // namespace
