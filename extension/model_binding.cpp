#include "model_binding.h"

namespace quillo {

void PrepareItemModel(ExtensionState& state) {
  ModelContext& model = state.Model;
  model.options = &state.Options;
  model.dataFolder = state.Folders.dataFolder;
  model.allocator = state.Allocator.Get();
  model.desktop = state.DesktopFolder.Get();
  model.selectedItemRect = &state.SelectedItemRect;
  model.systemImageList.store(state.SystemImageList, std::memory_order_relaxed);
  SyncItemModel(state);
  model.recent.Load(model);
  model.favorites.Load(model);
}

void SyncItemModel(ExtensionState& state) {
  state.Model.invocationMode.store(state.InvocationMode.load(std::memory_order_relaxed),
                                   std::memory_order_relaxed);
  state.Model.itemsPerColumn.store(state.Metrics.ItemsPerColumn, std::memory_order_relaxed);
}

}  // namespace quillo
