#pragma once

#include <string>
#include <string_view>

namespace qolmex {

// A field named as the window labels it, with the page or group that holds it where the
// label alone is ambiguous: "3. číslo (1. výstup - pezvonenie)". A name that is no field
// comes back as it is.
std::string fieldLabel(std::string_view name);

} // namespace qolmex
