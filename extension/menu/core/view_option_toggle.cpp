#include "view_option_toggle.h"

namespace quillo {

bool ApplyViewOptionToggle(OptionsRecord& options, ViewOption which) {
  switch (which) {
    case ViewOption::kSizes:
      options.sizeInfoShown = options.sizeInfoShown == 0 ? 1 : 0;
      return false;
    case ViewOption::kHidden:
      options.includeHidden = options.includeHidden == 0 ? 1 : 0;
      return true;
    case ViewOption::kProtected:
      if (options.includeSuperHidden == 0) {
        options.includeSuperHidden = 1;
        options.includeHidden = 1;
      } else {
        options.includeSuperHidden = 0;
      }
      return true;
    case ViewOption::kUnits:
      // Any value outside 0..2 (also one read damaged from the file) wraps to 0.
      options.sizeUnits = options.sizeUnits >= 0 && options.sizeUnits < 3 ? options.sizeUnits + 1 : 0;
      return false;
  }
  return false;
}

}  // namespace quillo
