// The imaging control found the way Windows finds a real one: through its class's registration
// as an in-process server in the registry, not through this process's own class table. The
// registration is visible to every program in the prefix, so this runs alone, in its own ctest
// entry (tests/win32_tests.cmake), and removes the registration again.
#include "conversion_fixture.h"

#include <shlwapi.h>

#include <cstdlib>

namespace {
const char kServerKey[] = "CLSID\\{6D940280-9F11-11CE-83FD-02608C3EC08A}";

// HKCR\CLSID\{...}\InprocServer32 naming the stand-in server, for one scope.
class ScopedServerRegistration {
public:
    explicit ScopedServerRegistration(const std::string& dll) {
        HKEY key = nullptr;
        const std::string path = std::string(kServerKey) + "\\InprocServer32";
        m_ok = ::RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                 nullptr) == ERROR_SUCCESS;
        if (!m_ok)
            return;
        const char model[] = "Apartment";
        m_ok = ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                                static_cast<DWORD>(dll.size() + 1)) == ERROR_SUCCESS &&
               ::RegSetValueExA(key, "ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(model),
                                sizeof(model)) == ERROR_SUCCESS;
        ::RegCloseKey(key);
    }
    ~ScopedServerRegistration() { ::SHDeleteKeyA(HKEY_CLASSES_ROOT, kServerKey); }
    ScopedServerRegistration(const ScopedServerRegistration&) = delete;
    ScopedServerRegistration& operator=(const ScopedServerRegistration&) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
};

class RegisteredImagingServer : public ConversionTest {};

TEST_F(RegisteredImagingServer, ConvertsThroughTheServerRegisteredForTheClass) {
    if (!std::getenv("TARNVEL_REGISTERED_SERVER"))
        GTEST_SKIP() << "registers a server for the whole prefix: runs in its own ctest entry";
    RefuseStandInControl(true); // only the registry can lead to the stand-in now
    {
        ScopedServerRegistration registration(ProgramFolder() + "\\doubles\\imgedit_double.dll");
        ASSERT_TRUE(registration.ok());
        ScopedGeneration generation(4);
        const std::string fax = Folder("fax");
        WriteFaxFixture(fax + "\\reg.awd", 3, 7);
        WithDialog([&](CConverterDlg& dialog) {
            ShowFolder(dialog, fax, {"reg.awd"});
            TickRow(dialog, 0);
            ASSERT_TRUE(RunBatch(dialog));
            EXPECT_EQ(ResultOf(dialog, 0), "OK");
        });
        EXPECT_EQ(ControlLog().size(), 3u);
        EXPECT_EQ(ReadFaxPages(fax + "\\reg.tif"), ReadFaxPages(fax + "\\reg.awd"));
    }
    RefuseStandInControl(false);
}
} // namespace
