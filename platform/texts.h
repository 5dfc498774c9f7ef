// The string tables for the layers without Qt (data, checks): the text of a string id in the
// interface language, as UTF-8. Builds without the interface have no tables and answer empty.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string Text(int id);
// The text of `id` with its first "%s" or "%d" replaced by `value`.
std::string TextWith(int id, std::string_view value);

}  // namespace platform
