#pragma once
// The window descriptions stored in the executable as Qt resources, one per
// window class, under :/descriptions/<class name>.

#include <string>
#include <string_view>

// The text of the description stored for `className`. Throws EResNotFound
// "Resource <className> not found" when the program holds none.
std::string storedDescription(std::string_view className);
