#pragma once
// The result grid of every screen (MSHFlexGrid1): bound to a statement's rows, it shows
// a header row of the column names and then one line per row. Row 0 is the header
// row, and rows() counts it. The cells are kept in one compact store (one text and
// offsets), so a grid of a hundred thousand complaints stays small and quick.
#include <QHash>
#include <QTableView>

namespace k7t {

class RowSet;
class GridModel;

class ResultGrid : public QTableView {
    Q_OBJECT
public:
    explicit ResultGrid(QWidget* parent = nullptr);
    ~ResultGrid() override;

    // A header row of the result's column names, then every row (reads the row set to its end).
    void bind(RowSet& rows);
    void clearGrid();
    int rows() const;                 // counts the header row
    int cols() const;
    QString textAt(int row, int col) const; // row 0 = the header row
    void setColumnWidthTwips(int col, int twips); // pixels = twips / 15
    // The whole grid, header row first: cells joined by tab, rows by line breaks.
    QString tabText() const;

private:
    void applyWidths();
    GridModel* model_;
    QHash<int, int> widths_; // column -> pixels
};

} // namespace k7t
