#pragma once

#include "catalogue/catalogueentry.h"

#include <QString>
#include <QStringList>

#include <vector>

// Finding games by what the user types: every word typed must occur, letter case and accents
// ignored, in a game's description, short name, manufacturer or year.

// text with its letters folded as finding compares them: lower case, accents and other
// combining marks dropped ("Pokémon" and "POKEMON" both give "pokemon").
QString foldForFinding(QStringView text);

// The words of what the user typed, folded, in the order typed; none for blanks only.
QStringList findWords(QStringView typed);

// The folded texts of a list's games, kept so that each keystroke only compares.
class FindIndex
{
public:
    // Folds entries' texts; the index of an entry here is its place in entries.
    void build(const std::vector<CatalogueEntry>& entries);
    bool isEmpty() const { return m_texts.empty(); }
    void clear() { m_texts.clear(); }
    // Puts the texts in the new order of their entries: order[i] is where entry i was before.
    void reorder(const std::vector<int>& order);

    // Whether entry index holds every word.
    bool matches(int index, const QStringList& words) const;
    // The entries, in their order, that hold every word; when within is given, only those of
    // within (in its order) are looked at.
    std::vector<int> matching(const QStringList& words,
                              const std::vector<int>* within = nullptr) const;

private:
    // Description, short name, manufacturer and year, folded and joined by a line break, which
    // no word holds: a word never runs from one text into the next.
    std::vector<QString> m_texts;
};
