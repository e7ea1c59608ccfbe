#include "tools/StringGrid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

class StringGridModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(headers.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        const QStringList& row = rows[static_cast<std::size_t>(index.row())];
        return index.column() < row.size() ? row[index.column()] : QString();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole) {
            return {};
        }
        if (orientation == Qt::Horizontal && section >= 0 && section < headers.size()) {
            return headers[section];
        }
        return {};
    }
    void Reset(std::vector<QStringList> newRows)
    {
        beginResetModel();
        rows = std::move(newRows);
        endResetModel();
    }
    void SetHeaders(const QStringList& newHeaders)
    {
        beginResetModel();
        headers = newHeaders;
        endResetModel();
    }
    void Changed(int row, int col) { emit dataChanged(index(row, col), index(row, col)); }

    QStringList headers;
    std::vector<QStringList> rows;
};

TStringGrid::TStringGrid(QWidget* parent) : QTableView(parent), model_(new StringGridModel(this))
{
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: yellow; }"));
    // Rows are laid out by the fixed height, never by measuring their text.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
}

void TStringGrid::SetColumns(const std::vector<GridColumn>& columns)
{
    QStringList headers;
    for (const GridColumn& c : columns) {
        headers.append(c.header);
    }
    model_->SetHeaders(headers);
    // A column is at least as wide as its header needs: the widths were chosen for a narrower font
    // than a desktop's, and a cut header ("nGrou") no longer says what the column holds.
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        setColumnWidth(
            i, std::max(columns[static_cast<std::size_t>(i)].width, horizontalHeader()->sectionSizeHint(i)));
    }
}

int TStringGrid::ColCount() const
{
    return static_cast<int>(model_->headers.size());
}

int TStringGrid::RowCount() const
{
    return static_cast<int>(model_->rows.size()) + 1;
}

void TStringGrid::SetRowCount(int rows)
{
    std::vector<QStringList> next = model_->rows;
    next.resize(static_cast<std::size_t>(std::max(0, rows - 1)));
    model_->Reset(std::move(next));
}

void TStringGrid::SetRows(std::vector<QStringList> rows)
{
    model_->Reset(std::move(rows));
}

const std::vector<QStringList>& TStringGrid::Rows() const
{
    return model_->rows;
}

QString TStringGrid::Cell(int col, int row) const
{
    if (col < 0 || col >= ColCount()) {
        return {};
    }
    if (row == 0) {
        return model_->headers[col];
    }
    if (row < 1 || row >= RowCount()) {
        return {};
    }
    const QStringList& cells = model_->rows[static_cast<std::size_t>(row - 1)];
    return col < cells.size() ? cells[col] : QString();
}

void TStringGrid::SetCell(int col, int row, const QString& text)
{
    if (col < 0 || col >= ColCount() || row < 1 || row >= RowCount()) {
        return;
    }
    QStringList& cells = model_->rows[static_cast<std::size_t>(row - 1)];
    while (cells.size() <= col) {
        cells.append(QString());
    }
    cells[col] = text;
    model_->Changed(row - 1, col);
}

int TStringGrid::Row() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TStringGrid::SelectRow(int row)
{
    if (row < 1 || row >= RowCount()) {
        return;
    }
    setCurrentIndex(model_->index(row - 1, 0));
    selectRow(row - 1);
}

void TStringGrid::keyReleaseEvent(QKeyEvent* event)
{
    QTableView::keyReleaseEvent(event);
    // The release of Esc belongs to the press that closed the window; it must not choose a row.
    if (!event->isAutoRepeat() && event->key() != Qt::Key_Escape) {
        emit keyReleased(event->key());
    }
}
