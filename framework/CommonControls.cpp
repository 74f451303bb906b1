#include "CommonControls.h"

namespace {

struct CommonControls {
    HMODULE library = LoadLibraryA("comctl32.dll");
    template <typename Function>
    Function Find(const char* name) const {
        return library
                   ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)))
                   : nullptr;
    }
    decltype(&ImageList_GetImageCount) count =
        Find<decltype(&ImageList_GetImageCount)>("ImageList_GetImageCount");
    decltype(&ImageList_Draw) draw = Find<decltype(&ImageList_Draw)>("ImageList_Draw");

    CommonControls() {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
        const auto init = Find<decltype(&InitCommonControlsEx)>("InitCommonControlsEx");
        if (init) init(&classes);
    }
};

const CommonControls& Library() {
    static const CommonControls library;
    return library;
}

}  // namespace

bool LoadCommonControls() { return Library().library != nullptr; }

int ImageListCount(HIMAGELIST list) { return Library().count ? Library().count(list) : 0; }

BOOL DrawImageListIcon(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    return Library().draw ? Library().draw(list, index, dc, x, y, style) : FALSE;
}
