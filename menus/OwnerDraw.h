#pragma once
// Measuring and painting of owner-drawn menu entries: an icon column of
// iconSize pixels and the item's text beside it in the menu font.
#include <windows.h>

struct PhraseItem;

// Sets iconSize from the text height and re-resolves the item's icon for it.
// size receives width and height; false only when size is null.
bool MeasureEntry(PhraseItem& item, HDC dc, HFONT font, SIZE* size);

// Paints the entry into rect of dc. False only when rect is null.
bool DrawEntry(PhraseItem& item, HDC dc, HFONT font, const RECT* rect, bool selected);
