#include "file_dialog.h"

#include <windows.h>
#include <commdlg.h>

#include "core/bounded_text.h"

namespace lwf {
namespace {

char g_fileName[MAX_PATH];

BOOL Run(FileDialogKind kind, OPENFILENAMEA& request) {
  return kind == FileDialogKind::kSave ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
}

}  // namespace

const char* FileDialog(FileDialogKind kind, const char* filter, const char* initialName) {
  CopyText(g_fileName, sizeof g_fileName, initialName);
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = GetActiveWindow();
  request.lpstrFilter = filter;
  request.nFilterIndex = 1;
  request.lpstrFile = g_fileName;
  request.nMaxFile = sizeof g_fileName;
  request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_ENABLESIZING |
                  (kind == FileDialogKind::kSave ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST
                                                 : OFN_FILEMUSTEXIST);
  if (Run(kind, request)) return g_fileName;
  if (CommDlgExtendedError() != FNERR_INVALIDFILENAME) return nullptr;
  g_fileName[0] = '\0';
  return Run(kind, request) ? g_fileName : nullptr;
}

}  // namespace lwf
