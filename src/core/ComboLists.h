#pragma once
// Lists of editable combo boxes, filled and emptied without touching the text the
// box shows: adding the first item or emptying the list keeps that text, and setting
// the text runs no choice action.
#include <QComboBox>
#include <QStringList>

namespace k7t::combo {

// Adds `item` to the list: at the end, or in its place in case-blind order for a
// sorted list.
void addItem(QComboBox* box, const QString& item, bool sorted = false);
void addItems(QComboBox* box, const QStringList& items, bool sorted = false);
// Empties the list and keeps the text.
void clearList(QComboBox* box);
// Sets the text shown, as typing it would, without a choice.
void setText(QComboBox* box, const QString& text);

} // namespace k7t::combo
