#pragma once
// Alphabetize Page and Compress Page: rearrange the 48 buttons of the popup target's page (the cue
// too), whole cells at a time, so every field of a button travels with it.
#include "board/Board.h"

#include <QString>
#include <QStringList>

#include <vector>

class TForm1;

// The sort key of a caption: trimmed, with "a".."z" upper-cased and every other character kept.
QString AlphabetizeKey(const QString& caption);
// The old slot numbers (1..48) of the captioned entries in their new order: by key, equal keys in
// their old order; captions of any character sort (an underscore or an accent is never dropped).
std::vector<int> AlphabetizeOrder(const QStringList& captions);
// The captioned entries in their old order.
std::vector<int> CompressOrder(const QStringList& captions);

class PageTools
{
public:
    explicit PageTools(TForm1& form) : form_(form) {}

    void PageAlphabetizeClick();
    void PageCompressClick();

private:
    using OrderFunction = std::vector<int> (*)(const QStringList&);
    void Rearrange(const QString& routine, const QString& traceLine, OrderFunction order);

    TForm1& form_;
};
