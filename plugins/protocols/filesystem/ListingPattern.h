#pragma once

#include <regex>
#include <string>

namespace velmar::filesystem {

// The text of the expression a listing pattern stands for: the pattern with the regular-
// expression characters . ^ $ + ( ) [ ] { } | ? \ escaped, every run of asterisks made a
// run of characters within one name, then "(.*)", which accepts any remainder. Every
// character but the asterisk stands for itself.
std::string translatePattern(const std::string& pattern);

// The compiled expression, case-sensitive. Matched with the polynomial (breadth-first)
// engine, so that no pattern can make a match take exponential time. An invalid
// expression throws std::regex_error.
std::regex compilePattern(const std::string& pattern);

}  // namespace velmar::filesystem
