// Counts and indices checked against a fixed table: a count read from a file,
// restored from a savegame or left damaged never reaches past the table.
#pragma once

// The rows in use: `count` held to 0 .. capacity.
constexpr int table_rows(int count, int capacity) {
  return count < 0 ? 0 : count < capacity ? count : capacity;
}

// True when `index` names one of the first `rows` rows.
constexpr bool in_table(int index, int rows) { return index >= 0 && index < rows; }
