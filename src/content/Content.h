#pragma once

#include <string_view>
#include <vector>

// The texts and pictures built into the program, by their path below
// src/content (for example "rulers/01-osman.upper.txt"). Texts come with
// CR LF line breaks.
namespace yelvanis::content {

bool has(std::string_view name);
// Throws std::out_of_range naming the missing resource.
std::string_view get(std::string_view name);
std::vector<std::string_view> names();

} // namespace yelvanis::content
