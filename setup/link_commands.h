// The script commands that make shortcuts and tell the shell about changed folders.
#pragma once

namespace quillo::setup {

// An "http://" target gives "<linkPath>.url"; any other target a shell link "<linkPath>.lnk"
// with arguments and icon (an empty icon file means the target itself).
int CreateLinkCommand(const char* target, const char* linkPath, const char* arguments,
                      const char* iconFile);
int ChangeNotifyCommand(const char* folder);

}  // namespace quillo::setup
