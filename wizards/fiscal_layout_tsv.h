// The layout tables from their text sources (resources/db/DatLocal/DFLISTAS<L>.tsv and
// DFCAMPOS<L>.tsv), for programs that run without the database: the fuzzer and the benchmarks.
#pragma once

#include <string_view>

#include "wizards/fiscal_file.h"

namespace fiscal {

// Rows of both tables, first line the column names (matched without regard to case).
Layout LayoutFromTsv(std::string_view lists, std::string_view fields);

}  // namespace fiscal
