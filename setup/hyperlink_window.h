// A text that opens an address when clicked or when the space bar is pressed on it (window
// class "CHyperlinkWnd"), drawn bold and blue.
#pragma once

#include <windows.h>

namespace quillo::setup {

// Replaces the static `id` of the page by a hyperlink with the static's text (or `text` when
// given) that opens `target` (or the text itself when `target` is null or empty).
void ReplaceWithHyperlink(HWND page, int id, const char* text, const char* target);

}  // namespace quillo::setup
