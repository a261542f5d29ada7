#pragma once

#include <QStringList>
#include <QStringView>

// Splits a command line into words the way a shell splits plain words, and no further:
// blanks (space, tab) separate words and double quotes group, so `a"b c"d` is the one word
// `ab cd` and `""` alone is an empty word; a quote left open runs to the end of the line.
// Every other character is literal: a line never redirects, substitutes, globs or chains
// commands, whatever it holds (`x; rm y` is the three words `x;`, `rm` and `y`).
QStringList splitCommandWords(QStringView line);
