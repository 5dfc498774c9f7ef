// Builds a database file from its text sources: one <TABLE>.sql (schema) and optionally one
// <TABLE>.tsv (rows) per table, in the format of resources/db/README.md; a schema named with
// {L} or {l} is a template of the four language variants. Used by the build tool and by tests;
// depends on nothing but SQLite.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace db {

// Splits one TSV line into its unescaped values; `isNull` marks the values written \N.
// FALSE (with `error`) on an unknown escape.
bool ParseTsvLine(const std::string& line, std::vector<std::string>& values, std::vector<bool>& isNull,
                  std::string* error);

// Writes `output` from the sources in `sourceDir`, through a temporary file renamed at the end,
// so that a failed build never leaves a half-written database behind. FALSE with `error`.
// `rowDirs` add generated row files (.tsv only) for tables of `sourceDir`; a table's rows come
// from one file only.
bool BuildDatabaseFromSources(const std::filesystem::path& sourceDir, const std::filesystem::path& output,
                              std::string* error, const std::vector<std::filesystem::path>& rowDirs = {});

}  // namespace db
