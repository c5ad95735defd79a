#include "core/ComboLists.h"

#include <QSignalBlocker>

namespace k7t::combo {

namespace {

int sortedPlace(const QComboBox* box, const QString& item)
{
    int lo = 0, hi = box->count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (QString::compare(box->itemText(mid), item, Qt::CaseInsensitive) <= 0) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

} // namespace

void addItem(QComboBox* box, const QString& item, bool sorted)
{
    const QString text = box->currentText();
    {
        const QSignalBlocker quiet(box);
        box->insertItem(sorted ? sortedPlace(box, item) : box->count(), item);
    }
    // A box whose list was empty makes its first item current; the text stays.
    if (box->isEditable() && box->currentText() != text) setText(box, text);
}

void addItems(QComboBox* box, const QStringList& items, bool sorted)
{
    for (const QString& item : items) addItem(box, item, sorted);
}

void clearList(QComboBox* box)
{
    const QString text = box->currentText();
    {
        const QSignalBlocker quiet(box);
        box->clear();
    }
    if (box->isEditable()) setText(box, text);
}

void setText(QComboBox* box, const QString& text)
{
    const QSignalBlocker quiet(box);
    if (box->isEditable()) {
        box->setCurrentIndex(-1);
        box->setEditText(text);
    } else {
        box->setCurrentIndex(box->findText(text));
    }
}

} // namespace k7t::combo
