// Finding a text in an editor's text: with or without regard to case, where case is
// folded by the translator's own mapping of code page 1251 (so "Ё" finds "ё" and "ДВ"
// finds "дв", exactly the letters the translator treats as one).
#pragma once

#include <QString>

namespace vestrel::workbench {

// The text with every capital of code page 1251 replaced by its lower-case form;
// characters outside the code page stay as they are. Lengths are kept.
QString foldCase(const QString& text);

struct SearchRequest {
    QString needle;
    bool caseSensitive = false;
    bool forward = true;
};

struct SearchHit {
    int position = -1;     // -1: the text does not hold the needle
    bool wrapped = false;  // found only after going round the end (or the start)
};

// Searches forward from `from` (inclusive) or backward from before `from`; goes round
// the end of the text once.
SearchHit findText(const QString& text, int from, const SearchRequest& request);

// Whether the characters of `candidate` are the needle under the request's rule.
bool matchesNeedle(const QString& candidate, const SearchRequest& request);

}  // namespace vestrel::workbench
