// Buffer sizes are overflow-checked and buffers come zeroed.
#include "tiffcopy/transfer_buffers.h"

#include <gtest/gtest.h>

namespace {
TEST(TransferBuffers, ProductsThatOverflowAreRefused) {
    EXPECT_EQ(6u, CheckedProduct(2, 3));
    EXPECT_EQ(0u, CheckedProduct(0, 3));
    EXPECT_EQ(kMaxBufferSize, CheckedProduct(kMaxBufferSize, 1));
    EXPECT_EQ(0u, CheckedProduct(kMaxBufferSize, 2));
    EXPECT_EQ(0u, CheckedProduct(0x10000, 0x10000));
    EXPECT_EQ(0u, CheckedProduct(UINT64_MAX, UINT64_MAX));
}

TEST(TransferBuffers, AreZeroedAndRefusedWhenTooLarge) {
    DirectoryBuffersScope scope;
    EXPECT_EQ(nullptr, ObtainBuffer(0));
    EXPECT_EQ(nullptr, ObtainBuffer(kMaxBufferSize + 1));
    for (int round = 0; round < 3; ++round) {
        uint8_t* buffer = ObtainBuffer(4096);
        ASSERT_NE(nullptr, buffer);
        for (int i = 0; i < 4096; ++i)
            ASSERT_EQ(0, buffer[i]);
        std::fill(buffer, buffer + 4096, uint8_t{0xCD});
        ReleaseBuffer(buffer);
    }
}

TEST(TransferBuffers, DirectoryScopeReleasesWhatARoutineLeftBehind) {
    {
        DirectoryBuffersScope scope;
        for (int i = 0; i < 4; ++i)
            ASSERT_NE(nullptr, ObtainBuffer(64));
        EXPECT_EQ(nullptr, ObtainBuffer(64)); // every slot taken
    }
    DirectoryBuffersScope scope;
    EXPECT_NE(nullptr, ObtainBuffer(64)); // released by the scope (ASan reports a leak otherwise)
}
} // namespace
