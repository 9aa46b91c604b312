// Paths and addresses compared as the shell compares them: without letter
// case, in the ANSI code page.
#pragma once

#include <string>

bool SameText(const std::string& a, const std::string& b);
// Whether part occurs in text.
bool ContainsText(const std::string& text, const std::string& part);
