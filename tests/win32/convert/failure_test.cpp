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
    WriteFaxFixture(fax + "\\more.awd", 2, 3);
    std::string failed, good;
    const Results results = ConvertFolder(fax, nullptr, [&](HWND dialog) {
        failed = ResultTipOf(dialog, RowOf(dialog, "dispfail.awd"));
        good = ResultTipOf(dialog, RowOf(dialog, "good.awd"));
    });
    EXPECT_EQ(results, (Results{{"dispfail.awd", "Fail"}, {"good.awd", "OK"}, {"more.awd", "OK"}}));
    // The control's own words of its dispatch exception are the reason.
    EXPECT_EQ(failed, "The imaging control reported: The document could not be saved.");
    EXPECT_EQ(good, "");
}
} // namespace
