// Reads the readable table of skins (resources/skins/skins.txt).
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "skin/engine/skin_format.h"

// One line of the table: number, name, then the look's values in table order.
// False with *error set when a column is missing, extra, or out of range.
bool ParseSkinLine(const std::string& line, int* number, she::Look* look, std::string* error);

// Every skin of the table, in order. Blank lines and lines starting with "#" are
// skipped. False with *error (naming the line) unless the skins are numbered
// 1, 2, 3, ... with no gap.
bool ReadSkinTable(std::istream& in, std::vector<she::Look>* looks, std::string* error);
