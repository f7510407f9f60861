// The white banner at the top of every wizard page (window class "CBannerWnd"): the page's title
// and subtitle and the 48 x 48 image of an icon group.
#pragma once

#include <windows.h>

namespace quillo::setup {

// Replaces the placeholder `placeholderId` of the page by a banner showing the title and
// subtitle statics (which are taken over and destroyed) and the icon group `iconGroup`.
void ReplaceWithBanner(HWND page, int placeholderId, int titleId, int subtitleId, int iconGroup);

}  // namespace quillo::setup
