#include "platform/commandwords.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QStringList splitCommandWords(QStringView line)
{
    QStringList words;
    QString word;
    // A word has begun once a non-blank character or a quote is seen, so that `""` still
    // yields a word although nothing is added to it.
    bool inWord = false;
    bool quoted = false;
    for (const QChar c : line) {
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else
                word.append(c);
        } else if (c == u'"') {
            quoted = true;
            inWord = true;
        } else if (isBlank(c)) {
            if (inWord) {
                words.append(word);
                word.clear();
                inWord = false;
            }
        } else {
            word.append(c);
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}
