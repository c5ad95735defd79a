#pragma once
// Export of a result grid to the desktop's spreadsheet application: the whole grid,
// header row first, goes to the clipboard as tab-separated text and into a new
// workbook file in a temporary folder, which is then opened for the operator.
#include <QString>

namespace k7t {

class AppContext;
class ResultGrid;

// True when the workbook was written and handed to the spreadsheet application;
// otherwise the operator has been told why.
bool exportGrid(AppContext& app, const ResultGrid& grid);

// Writes the grid into a new workbook file; an error text, empty on success.
QString writeWorkbook(const ResultGrid& grid, const QString& file);

} // namespace k7t
