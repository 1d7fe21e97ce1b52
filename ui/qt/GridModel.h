#pragma once

#include "ui/CellTable.h"

#include <QAbstractTableModel>
#include <QFont>

#include <functional>
#include <string>
#include <vector>

// The table model of one grid: index (r, c) is cell (r, c) of the grid, the
// fixed row 0 and column 0 included. It reads the cell table directly, so it
// always tells what the cells hold now; the view publishes the changes of the
// cell operations as dataChanged when it flushes. Cells are read only: the
// grid never edits a cell itself. The tool tip of a cell whose text the view
// draws cut is the whole text.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    explicit GridModel(CellTable &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Resize the table; the views hear of it at once (as a reset).
    void setRowCount(int count);
    void setColumnCount(int count);

    // Announces the changed area of the table.
    void announceChanges(const CellTable::ChangedArea &area);

    // Tells whether the view draws the text of cell (row, column) cut.
    void setCutTest(std::function<bool(int row, int column)> test);

    // A cell's text as drawn: control characters become their pictures
    // (U+2400 + code, U+2421 for DEL), so that a stray Enter shows as "␍".
    static QString shownText(const std::string &text);

    // The Qt alignment of a cell alignment code. A cell that was never
    // aligned, and the general alignment 9, show left and vertically centred.
    static Qt::Alignment alignmentOf(std::int8_t code);
    // The font of a font index of the table.
    const QFont &font(std::uint16_t index) const;

  private:
    template <class Resize> void resized(Resize &&resize);

    CellTable &table;
    mutable std::vector<QFont> fonts;
    std::function<bool(int, int)> isCut;
};
