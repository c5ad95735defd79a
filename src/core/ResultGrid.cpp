#include "core/ResultGrid.h"

#include "core/Database.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QHeaderView>
#include <vector>

namespace k7t {

namespace {
// Blocks and position lists of grids that were cleared, kept for the next grid: a
// screen that lists a hundred thousand rows again and again then reuses its memory
// instead of asking the system for tens of megabytes each time.
constexpr size_t kSpareBlocks = 64;
std::vector<QByteArray>& spareBlocks()
{
    static std::vector<QByteArray> spare;
    return spare;
}
std::vector<quint64>& spareStarts()
{
    static std::vector<quint64> spare;
    return spare;
}
} // namespace

// Cells as UTF-8 text in blocks of about a megabyte, so a large result is never moved
// as it grows. starts_[i] places cell i of the grid (row-major, header row first) as
// block << 32 | offset; a cell ends where the next one starts in its block, or at the
// block's end.
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(QObject* parent) : QAbstractTableModel(parent) {}
    ~GridModel() override { clearStore(); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols_; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        // The header row looks like the fixed row it stands for.
        if (role == Qt::FontRole && index.row() == 0) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        if (role == Qt::BackgroundRole && index.row() == 0) return QGuiApplication::palette().button();
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
        return QString::fromUtf8(cell(size_t(row) * size_t(cols_) + size_t(col)));
    }

    void load(RowSet& rs)
    {
        beginResetModel();
        clearStore();
        takeSpareStarts();
        cols_ = rs.columnCount();
        if (cols_ > 0) {
            for (int c = 0; c < cols_; ++c) {
                mark();
                blocks_.back() += rs.columnName(c).toUtf8();
            }
            rows_ = 1;
            for (; !rs.atEnd(); rs.next()) {
                for (int c = 0; c < cols_; ++c) {
                    mark();
                    rs.appendUtf8(c, blocks_.back());
                }
                ++rows_;
            }
        }
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
        for (int r = 0; r < rows_; ++r) {
            if (r) out += '\n';
            for (int c = 0; c < cols_; ++c) {
                if (c) out += '\t';
                out += cell(size_t(r) * size_t(cols_) + size_t(c));
            }
        }
        return QString::fromUtf8(out);
    }

private:
    static constexpr qsizetype kBlock = 1 << 20;

    // Notes where the next cell starts, opening a new block when the last is full.
    void mark()
    {
        if (blocks_.empty() || blocks_.back().size() >= kBlock) {
            if (!spareBlocks().empty()) {
                blocks_.push_back(std::move(spareBlocks().back()));
                spareBlocks().pop_back();
            } else {
                blocks_.emplace_back();
                blocks_.back().reserve(kBlock + 4096);
            }
        }
        starts_.push_back(quint64(blocks_.size() - 1) << 32 | quint64(blocks_.back().size()));
    }

    QByteArrayView cell(size_t i) const
    {
        const quint64 from = starts_[i];
        const size_t block = size_t(from >> 32);
        const qsizetype begin = qsizetype(from & 0xffffffffu);
        qsizetype end = blocks_[block].size();
        if (i + 1 < starts_.size() && size_t(starts_[i + 1] >> 32) == block) end = qsizetype(starts_[i + 1] & 0xffffffffu);
        return QByteArrayView(blocks_[block].constData() + begin, end - begin);
    }

    void clearStore()
    {
        for (QByteArray& b : blocks_) {
            if (spareBlocks().size() >= kSpareBlocks) break;
            b.truncate(0); // keeps its memory
            spareBlocks().push_back(std::move(b));
        }
        blocks_.clear();
        starts_.clear();
        if (starts_.capacity() > spareStarts().capacity()) std::swap(starts_, spareStarts()); // the larger list waits
        rows_ = cols_ = 0;
    }

    void takeSpareStarts()
    {
        if (spareStarts().capacity() > starts_.capacity()) std::swap(starts_, spareStarts());
    }

    std::vector<QByteArray> blocks_;
    std::vector<quint64> starts_;
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
