#pragma once

#include "GridGeometry.h"

class CellTable;
class GridModel;
class QPaintDevice;
class QPainter;
class QPalette;

// Draws a grid's viewport: the cells in their fonts, colours and alignments,
// the fixed row and column like button faces, the grid lines and the frame
// of the current cell. A text too wide for its cell is drawn cut at its end
// with "…", so that a number never loses its sign or leading digits unseen;
// control characters are drawn as their pictures.
class GridPainter
{
  public:
    GridPainter(const CellTable &table, const GridModel &model, const GridGeometry &geometry);

    // Paints every pixel of `area`, the viewport scrolled by `scrolled`.
    // `focused`: whether the grid has the keyboard focus.
    void paint(QPainter &painter, const QRect &area, QPoint scrolled, const QPalette &colours,
               bool focused) const;

    // Whether the text of a cell is too wide for it, and so drawn cut, in
    // the fonts of `device`.
    bool textIsCut(int row, int col, const QPaintDevice &device) const;

  private:
    using CellSpan = GridGeometry::CellSpan;

    void paintArea(QPainter &painter, const QRect &clip, CellSpan rows, CellSpan cols,
                   QPoint scrolled, const QPalette &colours, bool fixed) const;
    void paintCurrentMark(QPainter &painter, const QRect &area, QPoint scrolled,
                          const QPalette &colours, bool focused) const;

    const CellTable &table;
    const GridModel &model;
    const GridGeometry &geometry;
};
