// The program's own resources, as the running executable holds them (the tests link the
// same resource object as plintor.exe): the icon at every size, every picture that a
// layout shows at its control's size at 96 DPI, the common controls of version 6 and the
// per-monitor DPI awareness that the manifest asks for, and the version record.

#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"

namespace plintor {
namespace {

#pragma pack(push, 2)
// An entry of a group icon resource (GRPICONDIRENTRY): the icon file's directory entry
// with the icon resource's id in place of the file offset.
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// RT_GROUP_ICON, whose definition follows UNICODE, which this build does not define.
const LPCWSTR kGroupIcon = MAKEINTRESOURCEW(14);

HMODULE Program()
{
    return GetModuleHandleW(nullptr);
}

SIZE BitmapSize(HBITMAP bitmap, WORD& bitsPerPixel)
{
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    bitsPerPixel = info.bmBitsPixel;
    return SIZE{info.bmWidth, info.bmHeight};
}

TEST(Win32Resources, ProgramIconHoldsEverySizeAndEachLoads)
{
    HRSRC found = FindResourceW(Program(), MAKEINTRESOURCEW(IDI_PROGRAM), kGroupIcon);
    ASSERT_NE(found, nullptr);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(Program(), found)));
    ASSERT_NE(group, nullptr);
    ASSERT_GE(SizeofResource(Program(), found), 6u);
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    ASSERT_EQ(SizeofResource(Program(), found), 6u + count * sizeof(GroupIconEntry));
    std::set<int> sides;
    for (WORD i = 0; i < count; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, group + 6 + i * sizeof entry, sizeof entry);
        sides.insert(entry.width == 0 ? 256 : entry.width);
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(entry.bitCount, 32);
    }
    EXPECT_EQ(sides, (std::set<int>{16, 24, 32, 48, 256}));

    for (int side : sides) {
        SCOPED_TRACE("icon of " + std::to_string(side) + " pixels");
        auto icon = static_cast<HICON>(
            LoadImageW(Program(), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << "error " << GetLastError();
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        WORD bits = 0;
        const SIZE size = BitmapSize(info.hbmColor, bits);
        EXPECT_EQ(size.cx, side);
        EXPECT_EQ(size.cy, side);
        // The picture itself arrived: its middle is the printer's body, not transparency.
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, info.hbmColor);
        const COLORREF middle = GetPixel(dc, side / 2, side / 2);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        EXPECT_NE(middle, RGB(0, 0, 0));
        EXPECT_NE(middle, CLR_INVALID);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// The front end loads each picture at its control's size; the files are drawn at that
// size for 96 DPI, where the dialog font's base units are 6 x 13 pixels, so that there
// they are shown as drawn, not scaled.
TEST(Win32Resources, EveryPictureOfTheLayoutsLoadsAtItsControlsSizeAt96Dpi)
{
    std::set<int> seen;
    for (int id : DialogTemplateIds()) {
        const DialogTemplate* layout = FindDialogTemplate(id, 1033);
        ASSERT_NE(layout, nullptr) << id;
        for (const ControlTemplate& c : layout->controls) {
            // Every page has the banner; tools/pictures refuses a picture shown at two sizes.
            if (c.kind != ControlKind::Bitmap || !seen.insert(c.bitmapId).second)
                continue;
            SCOPED_TRACE("picture " + std::to_string(c.bitmapId) + " of dialog " + std::to_string(id));
            auto bitmap = static_cast<HBITMAP>(
                LoadImageW(Program(), MAKEINTRESOURCEW(c.bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            ASSERT_NE(bitmap, nullptr) << "error " << GetLastError();
            WORD bits = 0;
            const SIZE size = BitmapSize(bitmap, bits);
            EXPECT_EQ(size.cx, MulDiv(c.cx, 6, 4));
            EXPECT_EQ(size.cy, MulDiv(c.cy, 13, 8));
            EXPECT_EQ(bits, 24);
            DeleteObject(bitmap);
        }
    }
    EXPECT_EQ(seen, (std::set<int>{IDB_METHOD_NETWORK, IDB_METHOD_USB, IDB_CONNECT_USB, IDB_DISCONNECT,
                                   IDB_BANNER_BACK, IDB_BANNER_LEFT, IDB_BANNER_RIGHT, IDB_NETWORK_CABLE,
                                   IDB_NETWORK_PRINTER}));
}

// Asked through the process's activation context, which the system makes from the
// manifest: where comctl32.dll comes from, and the DPI settings. (Wine's comctl32 reports
// version 5.81 from DllGetVersion in either form, and Wine treats every process as per
// monitor aware with or without a manifest: neither tells the manifest's work apart.)
TEST(Win32Resources, ManifestBringsCommonControls6AndPerMonitorDpiAwareness)
{
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof redirection;
    ASSERT_TRUE(FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                         ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &redirection))
        << "comctl32.dll is not redirected to a side-by-side assembly, error " << GetLastError();
    SIZE_T size = 0;
    QueryActCtxW(0, redirection.hActCtx, &redirection.ulAssemblyRosterIndex,
                 AssemblyDetailedInformationInActivationContext, nullptr, 0, &size);
    std::vector<ULONG_PTR> buffer(size / sizeof(ULONG_PTR) + 1);
    ASSERT_TRUE(QueryActCtxW(0, redirection.hActCtx, &redirection.ulAssemblyRosterIndex,
                             AssemblyDetailedInformationInActivationContext, buffer.data(),
                             buffer.size() * sizeof(ULONG_PTR), &size));
    const auto* assembly = reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data());
    const std::wstring identity(assembly->lpAssemblyEncodedAssemblyIdentity);
    EXPECT_EQ(identity.rfind(L"Microsoft.Windows.Common-Controls,", 0), 0u) << identity;
    EXPECT_NE(identity.find(L"version=\"6."), std::wstring::npos) << identity;
    ReleaseActCtx(redirection.hActCtx);
    // And the comctl32 that the executable imports is that assembly's.
    wchar_t loaded[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), loaded, MAX_PATH), 0u);
    EXPECT_NE(std::wstring(loaded).find(assembly->lpAssemblyDirectoryName), std::wstring::npos) << loaded;

    auto setting = [](const wchar_t* schema, const wchar_t* name) {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, nullptr, schema, name, value, 64, &written))
            return std::wstring(L"(none)");
        return std::wstring(value);
    };
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2, PerMonitor");
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");
}

TEST(Win32Resources, VersionRecordNamesTheProductAndTheProjectsVersion)
{
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904b0\\ProductName", &value, &length));
    EXPECT_STREQ(static_cast<const wchar_t*>(value), L"Plintor");
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904b0\\ProductVersion", &value, &length));
    const std::wstring text(static_cast<const wchar_t*>(value));
    EXPECT_EQ(text, std::wstring(std::begin(PLINTOR_PROJECT_VERSION), std::end(PLINTOR_PROJECT_VERSION) - 1));
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(std::to_wstring(HIWORD(fixed->dwProductVersionMS)) + L"." + std::to_wstring(LOWORD(fixed->dwProductVersionMS))
                  + L"." + std::to_wstring(HIWORD(fixed->dwProductVersionLS)),
              text);
}

}
}
