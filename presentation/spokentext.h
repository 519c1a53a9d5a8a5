#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// How a screen reader is to read a text the program shows, worded for a German
// listener: decimal numbers with a decimal comma, units, formulas and the
// abbreviation in words, and the brackets and colons a reader would speak as
// words left out. The digits stay as they are, so nothing is rounded.
namespace SpokenText {

// What is read for the shown bytes from up to to. A piece that reads what is
// shown stands for itself character by character; a word read in place of a
// symbol stands for the symbol as a whole.
struct Piece
{
    std::string read; // UTF-8
    std::size_t from = 0;
    std::size_t to = 0;

    bool operator==(const Piece &) const = default;
};

// The shown text as read, in order: words one blank apart, blanks at either end
// and punctuation read as nothing left out.
std::vector<Piece> pieces(std::string_view shown);

// The pieces joined: the text as read.
std::string read(std::string_view shown);

} // namespace SpokenText
