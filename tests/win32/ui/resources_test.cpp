// The icon, the version and the manifest that the program carries (the string shows in the
// running system menu: converter_dlg_layout_test.cpp).
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace {
std::string ResourceText(LPCSTR type, LPCSTR name) {
    HRSRC found = ::FindResourceA(nullptr, name, type);
    if (!found)
        return "";
    const char* data = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
    return std::string(data, ::SizeofResource(nullptr, found));
}

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)
} // namespace

TEST(ProgramResources, IconHas32And16PixelImagesOf16Colours) {
    const std::string group = ResourceText(RT_GROUP_ICON, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_GE(group.size(), sizeof(IconGroupHeader));
    IconGroupHeader header;
    std::memcpy(&header, group.data(), sizeof(header));
    ASSERT_EQ(2, header.count);
    ASSERT_EQ(sizeof(header) + 2 * sizeof(IconGroupEntry), group.size());
    int sizes = 0;
    for (int i = 0; i < 2; ++i) {
        IconGroupEntry entry;
        std::memcpy(&entry, group.data() + sizeof(header) + i * sizeof(entry), sizeof(entry));
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(16, entry.colours);
        EXPECT_EQ(4, entry.bitCount);
        sizes |= entry.width;
    }
    EXPECT_EQ(32 | 16, sizes);
    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(::LoadImageA(
            ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        EXPECT_NE(nullptr, icon) << size;
        if (icon)
            ::DestroyIcon(icon);
    }
}

TEST(ProgramResources, VersionIsTarnvel10) {
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, &block[0]));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(&block[0], "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(0, 1), fixed->dwProductVersionMS);
    char* product = nullptr;
    ASSERT_TRUE(::VerQueryValueA(&block[0], "\\StringFileInfo\\040904E4\\ProductName",
                                 reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ("Tarnvel", product);
    char* version = nullptr;
    ASSERT_TRUE(::VerQueryValueA(&block[0], "\\StringFileInfo\\040904E4\\ProductVersion",
                                 reinterpret_cast<void**>(&version), &length));
    EXPECT_STREQ("1.0", version);
}

TEST(ProgramResources, ManifestAsksForTheCommonControls6AndNamesTheSystemsItWasMadeFor) {
    const std::string manifest = ResourceText(RT_MANIFEST, MAKEINTRESOURCEA(1));
    for (const char* entry : {
             "requestedExecutionLevel level=\"asInvoker\"",
             // Wine reports the real resolution either way; Vista and later would stretch the
             // window as a bitmap without this.
             "<dpiAware>true</dpiAware>", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
             "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>", // Vista
             "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>", // 7
             "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>", // 8
             "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>", // 8.1
             "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>", // 10 and 11
         })
        EXPECT_NE(std::string::npos, manifest.find(entry)) << entry;
    // The system took it (this program carries the same manifest): its buttons are version 6's,
    // which alone know BCM_GETIDEALSIZE (BCM_FIRST + 1; beyond the program's header floor).
    HWND button = ::CreateWindowA("Button", "Go", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, button);
    SIZE ideal{0, 0};
    EXPECT_TRUE(::SendMessageA(button, 0x1601, 0, reinterpret_cast<LPARAM>(&ideal)));
    EXPECT_GT(ideal.cx, 0);
    ::DestroyWindow(button);
}
