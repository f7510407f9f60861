#include "entry_painter.h"

#include <commctrl.h>

#include <cstring>
#include <cwchar>

#include "extension_state.h"
#include "folder_size_scan.h"
#include "menu/core/entry_drawing.h"
#include "menu/core/entry_kind.h"
#include "menu/core/size_format.h"
#include "menu/core/sub_open_area.h"
#include "menu_level.h"
#include "menu_trace.h"
#include "win_geometry.h"

namespace quillo {
namespace {

constexpr int kModuleIconId = 1;

struct ResolvedEntry {
  MenuLevel* level = nullptr;
  MenuEntry* entry = nullptr;
  const char* text = nullptr;  // null for separators and names that are not complete
  // What is measured and drawn: the real (Unicode) name, or the text widened.
  wchar_t shown[kPathSize * 2] = {};
};

// The level and entry an item's data names; level and listing must exist.
bool Resolve(ULONG_PTR itemData, ResolvedEntry& out) {
  const auto id = static_cast<ItemId>(itemData);
  if (IsRootItemId(id)) return false;
  out.level = LevelAt(ItemIdLevel(id));
  if (out.level == nullptr || out.level->listing == nullptr) return false;
  out.entry = LookupEntry(id);
  if (out.entry == nullptr) return false;
  out.text = EntryText(out.entry->name, ListingNames(*out.level->listing));
  const wchar_t* real = EntryRealText(out.entry->name, ListingNames(*out.level->listing),
                                      ListingRealNames(*out.level->listing));
  if (real != nullptr) {
    lstrcpynW(out.shown, real, kPathSize * 2);
  } else if (out.text == nullptr ||
             MultiByteToWideChar(CP_ACP, 0, out.text, -1, out.shown, kPathSize * 2) == 0) {
    out.shown[0] = L'\0';
  }
  return true;
}

void FillSolid(HDC dc, const Rect& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  if (brush == nullptr) return;
  const RECT r = ToRECT(rect);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void DrawTextAt(HDC dc, Point at, const char* text) {
  TextOutA(dc, at.x, at.y, text, static_cast<int>(std::strlen(text)));
}

void DrawTextAt(HDC dc, Point at, const wchar_t* text) {
  TextOutW(dc, at.x, at.y, text, static_cast<int>(std::wcslen(text)));
}

void DrawIcon(HDC dc, const IconDrawing& icon, const MenuMetrics& metrics) {
  ExtensionState& state = State();
  if (icon.source == IconSource::kModuleIcon) {
    HICON module = static_cast<HICON>(LoadImageA(state.ModuleInstance, MAKEINTRESOURCEA(kModuleIconId),
                                                 IMAGE_ICON, metrics.IconWidth, metrics.IconHeight,
                                                 LR_DEFAULTCOLOR));
    if (module == nullptr) return;
    DrawIconEx(dc, icon.at.x, icon.at.y, module, metrics.IconWidth, metrics.IconHeight, 0, nullptr,
               DI_NORMAL);
    DestroyIcon(module);
    return;
  }
  if (icon.source != IconSource::kSystemImageList || icon.index < 0) return;
  HIMAGELIST images = state.Model.systemImageList.load(std::memory_order_relaxed);
  if (images == nullptr) return;
  UINT style = ILD_TRANSPARENT;
  if (icon.blend50) style |= ILD_BLEND50;
  if (icon.overlay != kNoOverlay) style |= INDEXTOOVERLAYMASK(icon.overlay);
  ImageList_DrawEx(images, icon.index, dc, icon.at.x, icon.at.y, metrics.IconWidth,
                   metrics.IconHeight, CLR_NONE, CLR_NONE, style);
}

// The size column's text: "..." until the worker starts on the entry, then its growing total.
void DrawSize(HDC dc, Point at, const char* name, MenuEntry& entry, int sizeUnits) {
  char text[kPathSize];
  FormatSizeColumn(LoadEntrySize(entry), sizeUnits, text, sizeof text);
  DrawTextAt(dc, at, text);
  MenuTraceEntry("draw-size name=%s text=%s", name, text);
}

void Paint(HDC dc, const EntryDrawing& d, const ResolvedEntry& resolved) {
  const char* text = resolved.text;
  MenuEntry& entry = *resolved.entry;
  const ExtensionState& state = State();
  const ActiveColors& colors = state.Colors;
  const int s = d.selected ? 1 : 0;
  FillSolid(dc, d.background, colors[kBackgroundUnselected + s]);
  if (d.sizeColumn) FillSolid(dc, *d.sizeColumn, colors[kSizeBackgroundUnselected + s]);
  if (d.subOpenArea) FillSolid(dc, *d.subOpenArea, colors[kSubOpenAreaUnselected + s]);
  if (d.separatorY) {
    FillSolid(dc, Rect{d.background.left, *d.separatorY, d.background.right, *d.separatorY + 1},
              colors[kDarkEdge]);
    FillSolid(dc, Rect{d.background.left, *d.separatorY + 1, d.background.right, *d.separatorY + 2},
              colors[kLightEdge]);
    return;
  }
  if (d.embossed) {
    SetTextColor(dc, colors[kLightEdge]);
    DrawTextAt(dc, d.embossed->light, "(Empty)");
    SetTextColor(dc, colors[kDarkEdge]);
    DrawTextAt(dc, d.embossed->dark, "(Empty)");
    return;
  }
  if (!d.text || text == nullptr) return;
  SetTextColor(dc, colors[kTextUnselected + s]);
  DrawTextAt(dc, *d.text, resolved.shown);
  SetTextAlign(dc, TA_RIGHT | TA_TOP);
  if (d.questionMark) DrawTextAt(dc, *d.questionMark, "?");
  if (d.sizeText) {
    SetTextColor(dc, colors[kSizeTextUnselected + s]);
    DrawSize(dc, *d.sizeText, text, entry, state.Options.sizeUnits);
  }
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  DrawIcon(dc, d.icon, state.Metrics);
}

}  // namespace

void MeasureOwnEntry(MEASUREITEMSTRUCT& measure) {
  measure.itemWidth = 0;
  measure.itemHeight = 0;
  ResolvedEntry resolved;
  if (!Resolve(measure.itemData, resolved)) return;
  const ExtensionState& state = State();
  SIZE extent{};
  if (resolved.text != nullptr && state.MeasureDC != nullptr) {
    GetTextExtentPoint32W(state.MeasureDC, resolved.shown,
                          static_cast<int>(std::wcslen(resolved.shown)), &extent);
  }
  const EntrySize size = MeasureEntry(resolved.entry->name, resolved.text != nullptr, extent.cx,
                                      state.Metrics, resolved.level->showSizes != 0);
  measure.itemWidth = static_cast<UINT>(size.width);
  measure.itemHeight = static_cast<UINT>(size.height);
}

void DrawOwnEntry(const DRAWITEMSTRUCT& draw) {
  ResolvedEntry resolved;
  if (!Resolve(draw.itemData, resolved)) return;
  MenuLevel& level = *resolved.level;
  if (level.menuWindow.load(std::memory_order_relaxed) == nullptr) {
    level.menuWindow.store(WindowFromDC(draw.hDC), std::memory_order_release);
    MenuTrace("level-shown level=%d", ItemIdLevel(static_cast<ItemId>(draw.itemData)));
  }
  const ExtensionState& state = State();
  const OptionsRecord& options = state.Options;
  MenuEntry& entry = *resolved.entry;
  EntryDrawInput in;
  in.item = ToRect(draw.rcItem);
  in.kind = entry.name;
  in.hasText = resolved.text != nullptr;
  in.selected = (draw.itemState & ODS_SELECTED) != 0;
  in.childState = LoadChildState(entry);
  in.attributes = entry.attributes;
  in.iconIndex = entry.iconIndex;
  in.openIconIndex = entry.openIconIndex;
  in.showSizes = level.showSizes != 0;
  in.subOpenArea = options.subOpenArea != 0;
  in.subOpenAreaCustomUnselected = options.subOpenAreaColors.customUnselected != 0;
  in.subOpenAreaWidth = EffectiveSubOpenAreaWidth(options.subOpenAreaWidth, state.Metrics.ItemHeight);
  const EntryDrawing plan = PlanEntryDrawing(in, state.Metrics);

  if (plan.selected) {
    RECT screen = draw.rcItem;
    MapWindowPoints(level.menuWindow.load(std::memory_order_relaxed), nullptr,
                    reinterpret_cast<POINT*>(&screen), 2);
    level.selectedRect = screen;
  }
  // Only entries the repaint uncovers are drawn: Wine's menus ask for every entry on each
  // repaint, and the workers repaint one entry at a time as its results arrive.
  if (!RectVisible(draw.hDC, &draw.rcItem)) return;
  const int savedDC = SaveDC(draw.hDC);
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextAlign(draw.hDC, TA_LEFT | TA_TOP);
  if (state.MenuFont) SelectObject(draw.hDC, state.MenuFont.get());
  Paint(draw.hDC, plan, resolved);
  RestoreDC(draw.hDC, savedDC);
}

}  // namespace quillo
