// Measuring and drawing of the extension's owner-drawn entries (WM_MEASUREITEM, WM_DRAWITEM):
// the plans of the menu core applied with the menu font, the active colours and the system
// image list.
#pragma once

#include <windows.h>

namespace quillo {

// Sets the item's size; a stale or unknown entry measures 0 x 0.
void MeasureOwnEntry(MEASUREITEMSTRUCT& measure);

// Draws the item; a stale or unknown entry draws nothing.
void DrawOwnEntry(const DRAWITEMSTRUCT& draw);

}  // namespace quillo
