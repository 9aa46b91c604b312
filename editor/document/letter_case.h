// Texts compared and searched without regard to the case of ASCII letters,
// as HTML tags, file names and the editor's Find take them.
#pragma once

#include <string>
#include <string_view>

bool SameLetters(std::string_view a, std::string_view b);
// Where `part` first occurs in `text` at or after `from`, or npos.
size_t FindLetters(std::string_view text, std::string_view part, size_t from = 0);
std::string LowerCase(std::string_view text);
