#include "core/ResultGrid.h"

#include "core/Database.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <vector>

namespace k7t {

// Cells as UTF-8 in one buffer; cell i of the grid (row-major, header row first)
// spans offsets_[i] .. offsets_[i + 1].
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(QObject* parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols_; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
        return text(index.row(), index.column());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole) return {};
        return orientation == Qt::Horizontal ? QVariant(QString()) : QVariant(section == 0 ? QString() : QString::number(section));
    }

    QString text(int row, int col) const
    {
        if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return {};
        const size_t i = size_t(row) * size_t(cols_) + size_t(col);
        const quint32 from = offsets_[i];
        return QString::fromUtf8(buffer_.constData() + from, qsizetype(offsets_[i + 1] - from));
    }

    void load(RowSet& rs)
    {
        beginResetModel();
        clearStore();
        cols_ = rs.columnCount();
        if (cols_ > 0) {
            offsets_.push_back(0);
            for (int c = 0; c < cols_; ++c) append(rs.columnName(c));
            rows_ = 1;
            for (; !rs.atEnd(); rs.next()) {
                for (int c = 0; c < cols_; ++c) append(rs.value(c));
                ++rows_;
            }
        }
        buffer_.squeeze();
        offsets_.shrink_to_fit();
        endResetModel();
    }

    void clear()
    {
        beginResetModel();
        clearStore();
        endResetModel();
    }

    QString tabText() const
    {
        QByteArray out;
        out.reserve(buffer_.size() + qsizetype(offsets_.size()) + 16);
        for (int r = 0; r < rows_; ++r) {
            if (r) out += '\n';
            for (int c = 0; c < cols_; ++c) {
                if (c) out += '\t';
                const size_t i = size_t(r) * size_t(cols_) + size_t(c);
                out.append(buffer_.constData() + offsets_[i], qsizetype(offsets_[i + 1] - offsets_[i]));
            }
        }
        return QString::fromUtf8(out);
    }

private:
    void append(const QString& value)
    {
        buffer_ += value.toUtf8();
        offsets_.push_back(quint32(buffer_.size()));
    }
    void clearStore()
    {
        buffer_.clear();
        offsets_.clear();
        rows_ = cols_ = 0;
    }

    QByteArray buffer_;
    std::vector<quint32> offsets_;
    int rows_ = 0;
    int cols_ = 0;
};

ResultGrid::ResultGrid(QWidget* parent) : QTableView(parent), model_(new GridModel(this))
{
    setModel(model_);
    // The header row is the grid's first row, as on the old grid; no view headers.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // Fixed row heights: the view never measures a hundred thousand rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
}

ResultGrid::~ResultGrid() = default;

void ResultGrid::bind(RowSet& rows)
{
    model_->load(rows);
    applyWidths();
}

// Widths given by the screen hold for every result bound later, as on the old grid.
void ResultGrid::applyWidths()
{
    for (auto it = widths_.cbegin(); it != widths_.cend(); ++it)
        if (it.key() < model_->columnCount()) setColumnWidth(it.key(), it.value());
}

void ResultGrid::clearGrid() { model_->clear(); }

int ResultGrid::rows() const { return model_->rowCount(); }

int ResultGrid::cols() const { return model_->columnCount(); }

QString ResultGrid::textAt(int row, int col) const { return model_->text(row, col); }

void ResultGrid::setColumnWidthTwips(int col, int twips)
{
    widths_.insert(col, twips / 15);
    applyWidths();
}

QString ResultGrid::tabText() const { return model_->tabText(); }

} // namespace k7t
