#pragma once

#include <QString>
#include <QStringList>

namespace hov {

// The form in which a typed search and a stored code or name are compared, so that the
// operator finds a subject however the keyboard wrote it: Arabic yeh and alef maksura
// equal Persian yeh, Arabic kaf equals Persian keheh, zero-width joiners and non-joiners,
// directional marks, tatweel and short-vowel marks drop out, Persian and Arabic-Indic
// digits become ASCII digits, Latin letters lose their case, presentation forms become
// their letters, and blanks collapse to one with none at either end. Only for comparing:
// nothing stored is changed by it.
QString searchKey(const QString& text);

// Whether every word of a typed search occurs in the subject's code, first or last name.
// `words` are the searchKey() of the search split at blanks; `key` is searchKey() of the
// code and names joined by blanks.
bool matchesSearch(const QString& key, const QStringList& words);

// The words of a typed search, each in searchKey() form; none for an empty search.
QStringList searchWords(const QString& typed);

} // namespace hov
