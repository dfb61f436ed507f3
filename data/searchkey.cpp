#include "data/searchkey.h"

namespace hov {

namespace {

// Characters a search ignores: they change how a word is drawn, not which word it is.
bool ignorable(char16_t c) {
    return c == 0x200C || c == 0x200D           // zero-width non-joiner, joiner
           || c == 0x200B || c == 0xFEFF        // zero-width space, byte-order mark
           || c == 0x200E || c == 0x200F        // left-to-right, right-to-left mark
           || c == 0x061C                       // Arabic letter mark
           || (c >= 0x202A && c <= 0x202E)      // embeddings and overrides
           || (c >= 0x2066 && c <= 0x2069)      // isolates
           || c == 0x0640                       // tatweel
           || (c >= 0x064B && c <= 0x0652)      // short vowels, tanwin, shadda, sukun
           || c == 0x0670;                      // superscript alef
}

char16_t folded(char16_t c) {
    switch (c) {
    case 0x064A: // Arabic yeh
    case 0x0649: // alef maksura
        return 0x06CC; // Persian yeh
    case 0x0643: // Arabic kaf
        return 0x06A9; // keheh
    default:
        break;
    }
    if (c >= 0x06F0 && c <= 0x06F9) // Persian digits
        return u'0' + (c - 0x06F0);
    if (c >= 0x0660 && c <= 0x0669) // Arabic-Indic digits
        return u'0' + (c - 0x0660);
    return c;
}

} // namespace

QString searchKey(const QString& text) {
    QString source = text;
    // Presentation forms (U+FB50 onwards, as some old keyboards and pasted texts carry)
    // fold to their letters; most texts have none, so the costly step is mostly skipped.
    for (QChar c : text)
        if (c.unicode() >= 0xFB50) {
            source = text.normalized(QString::NormalizationForm_KC);
            break;
        }
    source = source.toCaseFolded();
    QString out;
    out.reserve(source.size());
    bool blank = false;
    for (QChar qc : source) {
        const char16_t c = qc.unicode();
        if (ignorable(c))
            continue;
        if (qc.isSpace()) {
            blank = !out.isEmpty();
            continue;
        }
        if (blank) {
            out += QLatin1Char(' ');
            blank = false;
        }
        out += QChar(folded(c));
    }
    return out;
}

QStringList searchWords(const QString& typed) {
    const QString key = searchKey(typed);
    return key.isEmpty() ? QStringList() : key.split(QLatin1Char(' '));
}

bool matchesSearch(const QString& key, const QStringList& words) {
    for (const QString& word : words)
        if (!key.contains(word))
            return false;
    return true;
}

} // namespace hov
