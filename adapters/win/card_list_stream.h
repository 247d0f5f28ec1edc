// The diagnostic's reading of the graphics card list: a text-mode C stream
// with wide-character line input in the "C" locale. Each byte becomes the
// character of its value (no byte order mark is known), CR LF becomes LF, and
// a line longer than 255 characters comes in pieces of 255.
#pragma once

#include "adapters/card_list_search.h"

#include <cstdio>
#include <memory>

class CStreamCardListFiles final : public CardListFiles {
  public:
    std::unique_ptr<CardListLines> Open(const std::u16string& path) override;
};
