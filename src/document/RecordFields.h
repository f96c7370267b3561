#pragma once
// Splitting of side-file values into bracketed records and separated fields.
// The results are views into the value, so a value of several megabytes is
// split in one pass without copying.

#include <string_view>
#include <vector>

namespace kurvex {

// The texts between "[" and the next "]", in order. The search for the next
// record starts behind the "]" of the previous one, so a stray "[" inside a
// record (a remark typed with brackets) opens no second, overlapping record.
std::vector<std::string_view> BracketedItems(std::string_view text);

// All fields of a text divided at the separator; an empty text has one empty field.
std::vector<std::string_view> SplitFields(std::string_view text, char separator);

// Field n of a split, empty beyond the last one.
std::string_view FieldAt(const std::vector<std::string_view>& fields, size_t n);

}  // namespace kurvex
