// Two batches, in any processes of the user, take turns with the one temporary file. The other
// conversion is played by this thread holding the file's lock.
#include "conversion_fixture.h"

#include "app/environment.h"
#include "convert/temp_file_lock.h"

#include <memory>
#include <thread>

namespace {
class TempFileTurns : public ConversionTest {
protected:
    // The other conversion takes the lock; stopped before it starts, it takes a free lock and
    // does not wait for a held one.
    void Hold() {
        StopRequest stopped;
        stopped.Set();
        m_held = std::make_unique<CTempFileLock>(TempTiffPath, stopped);
    }
    // Lists fax\ with in.awd ticked and presses Go while the other conversion holds the file.
    void StartWhileHeld(HWND dialog) {
        WriteFaxFixture(Folder("fax") + "\\in.awd", 2, 8);
        SelectFolder(dialog, Folder("fax"));
        TickAll(dialog);
        Hold();
        ASSERT_TRUE(m_held->Held());
        PressGo(dialog);
    }

    ScopedGeneration m_generation{7};
    std::unique_ptr<CTempFileLock> m_held;
};

TEST_F(TempFileTurns, ABatchWaitsForTheFileWithItsWindowServedThenConverts) {
    WithMainDialog([&](HWND dialog) {
        StartWhileHeld(dialog);
        EXPECT_FALSE(WaitForBatchEnd(dialog, 1500)) << "converted beside the holder";
        EXPECT_TRUE(StubLog().empty()) << "rendered while another conversion had the file";
        m_held.reset();
        EXPECT_TRUE(WaitForBatchEnd(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
    });
    EXPECT_EQ(ReadFaxPages(Folder("fax") + "\\in.tif"), ReadFaxPages(Folder("fax") + "\\in.awd"));
}

TEST_F(TempFileTurns, ClosingTheWindowEndsABatchThatWaits) {
    const INT_PTR result = RunMainDialog(
        [&](HWND dialog) {
            StartWhileHeld(dialog);
            Serve(300);
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        },
        10000);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(FileExists(Folder("fax") + "\\in.tif"));
}

// A Tarnvel that ended while converting (killed, or crashed) left the lock abandoned: the next
// batch takes it over.
TEST_F(TempFileTurns, ALockAbandonedByAnEndedThreadIsTakenOver) {
    std::thread([this] { Hold(); }).join();
    ASSERT_TRUE(m_held->Held());
    WriteFaxFixture(Folder("fax") + "\\in.awd", 1, 8);
    EXPECT_EQ(ConvertFolder(Folder("fax")), (Results{{"in.awd", "OK"}}));
}
} // namespace
