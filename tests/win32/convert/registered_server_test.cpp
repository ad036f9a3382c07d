// The imaging control found the way Windows finds a real one: through its class's registration
// as an in-process server in the registry, not through this process's own class table. The
// registration is visible to every program in the prefix, so this runs alone, in its own ctest
// entry (tests/win32_tests.cmake), and removes the registration again.
#include "conversion_fixture.h"

#include "convert/img_edit.h"
#include "server_registration.h"

#include <cstdlib>

namespace {
class RegisteredImagingServer : public ConversionTest {};

TEST_F(RegisteredImagingServer, ConvertsThroughTheServerRegisteredForTheClass) {
    if (!std::getenv("TARNVEL_REGISTERED_SERVER"))
        GTEST_SKIP() << "registers a server for the whole prefix: runs in its own ctest entry";
    RefuseStandInControl(true); // only the registry can lead to the stand-in now
    {
        ScopedServerRegistration registration(CLSID_ImgEdit,
                                              ProgramFolder() + "\\doubles\\imgedit_double.dll");
        ASSERT_TRUE(registration.ok());
        ScopedGeneration generation(4);
        const std::string fax = Folder("fax");
        WriteFaxFixture(fax + "\\reg.awd", 3, 7);
        EXPECT_EQ(ConvertFolder(fax), (Results{{"reg.awd", "OK"}}));
        EXPECT_EQ(ControlLog().size(), 3u);
        EXPECT_EQ(ReadFaxPages(fax + "\\reg.tif"), ReadFaxPages(fax + "\\reg.awd"));
    }
    RefuseStandInControl(false);
}
} // namespace
