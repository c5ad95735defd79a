#include "screens/reports/GridExport.h"

#include "core/AppContext.h"
#include "core/ResultGrid.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <QUrl>
#include <xlsxwriter.h>

namespace k7t {

namespace {

// The most text one sheet cell holds.
constexpr int kCellLimit = 32767;

// Small whole numbers (counts, complaint numbers) land as numbers, as a paste would
// make them; anything else, phone numbers and codes with leading zeros included, as text.
bool isCount(const QString& v)
{
    if (v.isEmpty() || v.size() > 9 || (v.size() > 1 && v.startsWith(QLatin1Char('0')))) return false;
    for (QChar ch : v)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return false;
    return true;
}

// A new folder for one export, under ExportFolder or the system's temporary folder.
QString newExportFolder(AppContext& app, QString* error)
{
    const QString base = app.settings().value("ExportFolder").isEmpty() ? QDir::tempPath() : app.settings().value("ExportFolder");
    if (!QDir().mkpath(base)) {
        *error = QStringLiteral("the folder %1 cannot be created").arg(QDir::toNativeSeparators(base));
        return {};
    }
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("k7t-export-XXXXXX")));
    if (!dir.isValid()) {
        *error = dir.errorString();
        return {};
    }
    dir.setAutoRemove(false); // the spreadsheet application reads it after we are gone
    return dir.path();
}

} // namespace

QString writeWorkbook(const ResultGrid& grid, const QString& file)
{
    const QByteArray path = QFile::encodeName(file);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows go out as they are written
    lxw_workbook* book = workbook_new_opt(path.constData(), &options);
    if (!book) return QStringLiteral("the workbook cannot be created");
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* heading = workbook_add_format(book);
    format_set_bold(heading);

    lxw_error error = LXW_NO_ERROR;
    for (int r = 0; r < grid.rows() && error == LXW_NO_ERROR; ++r) {
        for (int c = 0; c < grid.cols() && error == LXW_NO_ERROR; ++c) {
            const QString v = grid.textAt(r, c);
            if (v.isEmpty()) continue;
            if (r > 0 && isCount(v)) {
                error = worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), v.toDouble(), nullptr);
            } else {
                const QByteArray utf8 = v.left(kCellLimit).toUtf8();
                error = worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), utf8.constData(), r == 0 ? heading : nullptr);
            }
        }
    }
    const lxw_error closed = workbook_close(book);
    if (error == LXW_NO_ERROR) error = closed;
    return error == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(error));
}

bool exportGrid(AppContext& app, const ResultGrid& grid)
{
    // The whole grid is selected, header row included, as it goes out.
    if (grid.rows() > 0 && grid.cols() > 0) {
        QAbstractItemModel* model = grid.model();
        grid.selectionModel()->select(QItemSelection(model->index(0, 0), model->index(grid.rows() - 1, grid.cols() - 1)),
                                      QItemSelectionModel::ClearAndSelect);
    }
    // The clipboard first: even when no workbook can be shown, the grid can be pasted.
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(grid.tabText());

    QString error;
    const QString folder = newExportFolder(app, &error);
    const QString file = folder.isEmpty() ? QString()
        : QDir(folder).filePath(QStringLiteral("K7T %1.xlsx").arg(app.clock().now().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"))));
    if (error.isEmpty()) error = writeWorkbook(grid, file);
    if (!error.isEmpty()) {
        app.dialogs().exclamation(QStringLiteral("THE SPREADSHEET COULD NOT BE WRITTEN (%1). THE GRID IS ON THE CLIPBOARD.").arg(error));
        return false;
    }
    if (!app.desktop().openUrl(QUrl::fromLocalFile(file))) {
        app.dialogs().exclamation(QStringLiteral("NO SPREADSHEET APPLICATION COULD BE STARTED. THE GRID IS ON THE CLIPBOARD AND SAVED IN %1")
                                      .arg(QDir::toNativeSeparators(file)));
        return false;
    }
    return true;
}

} // namespace k7t
