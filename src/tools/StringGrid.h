#pragma once
// The string grid of the find and list windows: one fixed header row (yellow), whole-row
// selection, text cells addressed as (column, row) with row 0 the header. The rows live in a
// plain table behind a view, so a grid of a whole board's 8,640 rows fills in a few milliseconds.
#include <QStringList>
#include <QTableView>

#include <utility>
#include <vector>

class StringGridModel;

struct GridColumn
{
    QString header;
    int width = 50;
};

class TStringGrid : public QTableView
{
    Q_OBJECT
public:
    explicit TStringGrid(QWidget* parent = nullptr);

    void SetColumns(const std::vector<GridColumn>& columns);
    int ColCount() const;
    // Rows including the fixed header row, as the class library counts them.
    int RowCount() const;
    // Sets the row count (header included); new rows are empty, surplus rows go.
    void SetRowCount(int rows);
    // Replaces every data row at once (rows 1..n).
    void SetRows(std::vector<QStringList> rows);
    const std::vector<QStringList>& Rows() const;
    // Cell text; row 0 is the header. Empty outside the grid.
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    // The selected data row (1..), 0 when none.
    int Row() const;
    void SelectRow(int row);

signals:
    // A key released over the grid (the selection has moved already); never Esc.
    void keyReleased(int key);

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    StringGridModel* model_;
};
