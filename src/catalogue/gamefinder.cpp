#include "catalogue/gamefinder.h"

namespace {

bool isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

void appendFolded(QString& out, QStringView text)
{
    // Nearly every text of a catalogue is ASCII, where folding is lower-casing; the long way
    // (decomposition, marks dropped, case folding) is kept for the others.
    if (isAscii(text)) {
        const qsizetype start = out.size();
        out.append(text);
        QChar* data = out.data();
        for (qsizetype i = start; i < out.size(); ++i) {
            const char16_t c = data[i].unicode();
            if (c >= u'A' && c <= u'Z')
                data[i] = QChar(static_cast<char16_t>(c + (u'a' - u'A')));
        }
        return;
    }
    // Compatibility decomposition also turns full-width letters and ligatures into plain ones.
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category != QChar::Mark_NonSpacing && category != QChar::Mark_SpacingCombining &&
            category != QChar::Mark_Enclosing)
            bare.append(c);
    }
    // Folded once the marks are gone: "ß" becomes "ss" and matches "SS".
    out.append(bare.toCaseFolded());
}

} // namespace

QString foldForFinding(QStringView text)
{
    QString folded;
    folded.reserve(text.size());
    appendFolded(folded, text);
    return folded;
}

QStringList findWords(QStringView typed)
{
    // Any blank separates words: spaces, tabs, a line break pasted in.
    QStringList words = typed.toString().simplified().split(u' ', Qt::SkipEmptyParts);
    for (QString& word : words)
        word = foldForFinding(word);
    return words;
}

void FindIndex::build(const std::vector<CatalogueEntry>& entries)
{
    m_texts.clear();
    m_texts.reserve(entries.size());
    for (const CatalogueEntry& entry : entries) {
        QString text;
        text.reserve(entry.description.size() + entry.name.size() + entry.manufacturer.size() +
                     entry.year.size() + 3);
        appendFolded(text, entry.description);
        text.append(u'\n');
        appendFolded(text, entry.name);
        text.append(u'\n');
        appendFolded(text, entry.manufacturer);
        text.append(u'\n');
        appendFolded(text, entry.year);
        m_texts.push_back(std::move(text));
    }
}

void FindIndex::reorder(const std::vector<int>& order)
{
    std::vector<QString> texts;
    texts.reserve(order.size());
    for (const int from : order)
        texts.push_back(std::move(m_texts[static_cast<size_t>(from)]));
    m_texts = std::move(texts);
}

bool FindIndex::matches(int index, const QStringList& words) const
{
    const QString& text = m_texts[static_cast<size_t>(index)];
    for (const QString& word : words) {
        if (!text.contains(word, Qt::CaseSensitive))
            return false;
    }
    return true;
}

std::vector<int> FindIndex::matching(const QStringList& words, const std::vector<int>* within) const
{
    std::vector<int> found;
    if (within) {
        for (const int index : *within) {
            if (matches(index, words))
                found.push_back(index);
        }
        return found;
    }
    const int count = static_cast<int>(m_texts.size());
    for (int index = 0; index < count; ++index) {
        if (matches(index, words))
            found.push_back(index);
    }
    return found;
}
