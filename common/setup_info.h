// Reading the setup information record from the registry.
#pragma once

#include <cstddef>

#include "setup_info_record.h"

namespace quillo {

enum class RegistryView {
  kDefault,  // the process's own view
  k32Bit,    // KEY_WOW64_32KEY: where the 32-bit Setup writes, read so by the 64-bit extension
};

// The view the extension of this build reads the record from.
#ifdef _WIN64
constexpr RegistryView kSetupInfoView = RegistryView::k32Bit;
#else
constexpr RegistryView kSetupInfoView = RegistryView::kDefault;
#endif

// Copies min(value size, 1326) bytes of the product's record into record (zeroed first) and
// returns the count; 0 on any failure.
std::size_t ReadSetupInfo(const char* productName, SetupInfoRecord& record, RegistryView view);

}  // namespace quillo
