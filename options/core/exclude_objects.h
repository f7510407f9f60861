// The objects to exclude (the record's excludeObjects field): names, each followed by a zero
// byte, then one more zero byte, all within the field.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillo {

// The names stored in a field of size bytes. Reading stops at the empty name or at the end of
// the field; a name that runs to the end of the field without its zero byte is not a name.
std::vector<std::string> ReadObjectList(const char* field, std::size_t size);

// Bytes the names take in the field with all their terminators.
std::size_t ObjectListBytes(const std::vector<std::string>& names);

// Writes the names into the field (the rest zeroed). Names that would not fit with their
// terminators are left out; returns how many were written.
std::size_t WriteObjectList(const std::vector<std::string>& names, char* field, std::size_t size);

}  // namespace quillo
