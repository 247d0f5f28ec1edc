// QuarvelSysTest's reading of the graphics card list: TextFileReader, so a
// file in UTF-16 or in UTF-8 with a byte order mark reads as well as one in
// the ANSI code page.
#pragma once

#include "adapters/card_list_search.h"

#include <memory>
#include <string>

// Null when the file cannot be opened or its first bytes cannot be read. A
// read error later ends the file where it occurs.
std::unique_ptr<CardListLines> OpenCardListFile(const std::u16string& path);
