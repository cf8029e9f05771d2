#pragma once

#include <string>
#include <string_view>

namespace qolmex {

// A field named in a few words that need no window beside them, as show and diff list it:
// "3. číslo na ovládanie 1. výstupu prezvonením", "Dĺžka zopnutia 1. výstupu (sek.)". A name
// that is no field comes back as it is.
std::string fieldLabel(std::string_view name);

} // namespace qolmex
