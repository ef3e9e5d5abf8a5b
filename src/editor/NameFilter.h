#pragma once

#include <string_view>

// The editor's list filter: a name passes when the filter is empty or occurs anywhere in it,
// letters compared without case. Allocates nothing.
bool PassesNameFilter(std::string_view name, std::string_view filter);
