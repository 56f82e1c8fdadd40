#pragma once
// The text of data/code-names.tsv, built into the program: one line per code
// of the code-name table, "code<TAB>name<TAB>source", in the table's order;
// lines starting with "#" are its header (sources). UTF-8.
#include <string_view>

std::string_view CodeNamesSource();
