#include "TestResources.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const int IconIds[] = {IDI_KWIBRA,     IDI_DOWN_ARROW, IDI_UP_ARROW, IDI_KWIBRA_BUSY,
                       IDI_FILE_OPEN, IDI_LABEL,      IDI_HISTORY};

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

// The image sizes an icon group lists (0 stands for 256).
std::vector<int> GroupSizes(int id)
{
    std::vector<int> sizes;
    HRSRC found = FindResourceA(ResourceInstance(), MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    if (!found) {
        return sizes;
    }
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(ResourceInstance(), found)));
    size_t size = SizeofResource(ResourceInstance(), found);
    if (!data || size < 6) {
        return sizes;
    }
    WORD count = 0;
    std::memcpy(&count, data + 4, sizeof(count));
    for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupIconEntry) <= size; ++i) {
        GroupIconEntry entry{};
        std::memcpy(&entry, data + 6 + i * sizeof(GroupIconEntry), sizeof(entry));
        sizes.push_back(entry.width ? entry.width : 256);
    }
    return sizes;
}

// Paints the icon on black and on white; pixels that come out the same are
// the icon's own, the others let the background through.
struct Coverage {
    int opaque = 0;
    bool cornerClear = false;
};

std::vector<DWORD> Render(HICON icon, int size, COLORREF background)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<DWORD> pixels;
    if (bitmap) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all{0, 0, size, size};
        HBRUSH brush = CreateSolidBrush(background);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        GdiFlush();
        const DWORD* p = static_cast<const DWORD*>(bits);
        pixels.assign(p, p + size * size);
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    return pixels;
}

Coverage Measure(HICON icon, int size)
{
    std::vector<DWORD> onBlack = Render(icon, size, RGB(0, 0, 0));
    std::vector<DWORD> onWhite = Render(icon, size, RGB(255, 255, 255));
    Coverage coverage;
    if (onBlack.size() != static_cast<size_t>(size * size) || onWhite.size() != onBlack.size()) {
        return coverage;
    }
    for (size_t i = 0; i < onBlack.size(); ++i) {
        if ((onBlack[i] & 0xFFFFFF) == (onWhite[i] & 0xFFFFFF)) {
            ++coverage.opaque;
        }
    }
    coverage.cornerClear = (onBlack[0] & 0xFFFFFF) == 0 && (onWhite[0] & 0xFFFFFF) == 0xFFFFFF;
    return coverage;
}

}  // namespace

class IconResource : public testing::TestWithParam<int> {};

TEST_P(IconResource, HoldsSmallAndLargeImages)
{
    std::vector<int> sizes = GroupSizes(GetParam());
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), 16), sizes.end());
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), 32), sizes.end());
}

TEST_P(IconResource, LoadsAtBothSizesWithATransparentBackground)
{
    for (int size : {16, 32}) {
        SCOPED_TRACE(testing::Message() << size << "x" << size);
        IconHandle icon = LoadIconResource(GetParam(), size);
        ASSERT_TRUE(icon);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof(colour), &colour);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);

        Coverage coverage = Measure(icon.get(), size);
        EXPECT_TRUE(coverage.cornerClear);
        // Every picture covers a fair part of its square, none all of it.
        EXPECT_GT(coverage.opaque, size * size / 16);
        EXPECT_LT(coverage.opaque, size * size);
    }
}

INSTANTIATE_TEST_SUITE_P(AllIcons, IconResource, testing::ValuesIn(IconIds));

TEST(IconResources, UnknownIconDoesNotLoad)
{
    EXPECT_FALSE(LoadIconResource(IDI_KWIBRA + 1, 16));
    EXPECT_FALSE(LoadIconResource(0, 16));
}
