// Opening a compiled HTML Help manual through the ".chm" file association.
#pragma once

namespace lwf {

enum HelpResult : int { kHelpShown = 0, kHelpNotManual = 1, kHelpNoViewer = 2, kHelpMissing = 3, kHelpViewerFailed = 4 };

// Opens manual (a name containing ".chm"; a name that is not an existing file is looked up in the
// install folder) at topic (or its start page when null) and reports failures to the user.
int ShowHelp(const char* manual, const char* topic);

}  // namespace lwf
