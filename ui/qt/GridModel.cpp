#include "GridModel.h"

#include <QBrush>
#include <QColor>

namespace {

// The grid's own cell font, a small bitmap face of Windows that Linux
// systems lack, and the face drawn for it there: Liberation Sans (installed
// with the program) has the widths of Arial and of Microsoft Sans Serif, the
// scalable successor of "MS Sans Serif", so four decimal places fit a
// 700-twip column as they did there. Left to fontconfig, the cells would be
// drawn in DejaVu Sans, a seventh wider, which cuts "-0.3333" at that width.
const QString ClassicCellFont = QStringLiteral("MS Sans Serif");
const QString ClassicCellFontFace = QStringLiteral("Liberation Sans");

} // namespace

GridModel::GridModel(CellTable &table, QObject *parent) : QAbstractTableModel(parent), table(table)
{}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table.rows();
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table.cols();
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= table.rows() || index.column() >= table.cols())
        return {};
    const CellTable::Cell &cell = table.cell(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(cell.text());
    case Qt::ToolTipRole:
        if (isCut && isCut(index.row(), index.column()))
            return shownText(cell.text());
        return {};
    case Qt::TextAlignmentRole:
        return int(alignmentOf(cell.format.alignment));
    case Qt::FontRole:
        return font(cell.format.font);
    case Qt::BackgroundRole:
        if (!cell.format.hasBackColor)
            return {};
        {
            const std::uint32_t bgr = cell.format.backColorBgr;
            return QBrush(QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
        }
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

template <class Resize> void GridModel::resized(Resize &&resize)
{
    beginResetModel();
    try {
        resize();
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void GridModel::setRowCount(int count)
{
    if (count != table.rows())
        resized([&] { table.setRows(count); });
}

void GridModel::setColumnCount(int count)
{
    if (count != table.cols())
        resized([&] { table.setCols(count); });
}

void GridModel::announceChanges(const CellTable::ChangedArea &area)
{
    if (!area.isEmpty())
        emit dataChanged(index(area.top, area.left), index(area.bottom, area.right));
}

void GridModel::setCutTest(std::function<bool(int, int)> test)
{
    isCut = std::move(test);
}

QString GridModel::shownText(const std::string &text)
{
    QString shown = QString::fromStdString(text);
    for (QChar &unit : shown) {
        const char16_t code = unit.unicode();
        if (code < 0x20)
            unit = QChar(char16_t(0x2400 + code));
        else if (code == 0x7F)
            unit = QChar(char16_t(0x2421));
    }
    return shown;
}

Qt::Alignment GridModel::alignmentOf(std::int8_t code)
{
    switch (code) {
    case 0:
        return Qt::AlignLeft | Qt::AlignTop;
    case 2:
        return Qt::AlignLeft | Qt::AlignBottom;
    case 3:
        return Qt::AlignHCenter | Qt::AlignTop;
    case 4:
        return Qt::AlignCenter;
    case 5:
        return Qt::AlignHCenter | Qt::AlignBottom;
    case 6:
        return Qt::AlignRight | Qt::AlignTop;
    case 7:
        return Qt::AlignRight | Qt::AlignVCenter;
    case 8:
        return Qt::AlignRight | Qt::AlignBottom;
    default: // 1, 9 and never aligned
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

const QFont &GridModel::font(std::uint16_t index) const
{
    while (fonts.size() <= index) {
        const CellTable::CellFont &wanted = table.font(static_cast<std::uint16_t>(fonts.size()));
        // The family asked for is kept even where the system lacks it and
        // draws with a similar sans-serif face instead.
        const QString family = QString::fromStdString(wanted.name);
        QFont font(family);
        if (family.compare(ClassicCellFont, Qt::CaseInsensitive) == 0)
            font.setFamilies({family, ClassicCellFontFace});
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(wanted.points);
        fonts.push_back(font);
    }
    return fonts[index];
}
