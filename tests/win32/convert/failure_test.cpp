// The imaging control's own words of a failed call become the row's reason, through the window.
// (The other failures are tried in process: file_conversion_test.cpp, batch_runner_test.cpp.)
#include "conversion_fixture.h"

namespace {
class ControlFailure : public ConversionTest {};

TEST_F(ControlFailure, AFailingDispatchCallFailsTheRowOnly) {
    ScopedGeneration generation(3);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\dispfail.awd", 2, 1);
    WriteFaxFixture(fax + "\\good.awd", 2, 2);
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"good.awd", "dispfail.awd", "good.awd"});
        for (int i = 0; i < 3; ++i)
            TickRow(dialog, i);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
        EXPECT_EQ(ResultOf(dialog, 1), "Fail");
        EXPECT_EQ(ResultOf(dialog, 2), "OK");
        // The control's own words of its dispatch exception are the reason.
        EXPECT_EQ(ResultTipOf(dialog, 1), "The imaging control reported: The document could not be saved.");
        EXPECT_EQ(ResultTipOf(dialog, 2), "");
    });
}

} // namespace
