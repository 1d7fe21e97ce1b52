#include "CellToolTip.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QRect>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

namespace {

// The lines of `text` when laid out `width` pixels wide.
QStringList brokenLines(const QString &text, const QFont &font, int width)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

} // namespace

QString CellToolTip::of(const QString &text, const QFont &font, const QRect &screen)
{
    const QFontMetrics metrics(font);
    const int width = std::max(metrics.averageCharWidth(), screen.width() - 2 * ScreenMargin);
    const int maxLines =
        std::max(3, (screen.height() - 2 * ScreenMargin) / std::max(1, metrics.lineSpacing()));
    QStringList lines = brokenLines(text, font, width);
    if (lines.size() > maxLines) {
        // The first and the last lines that fit, around a line that tells
        // what is left out between them.
        const qsizetype head = (maxLines - 1) / 2;
        const qsizetype tail = maxLines - 1 - head;
        qsizetype omitted = 0;
        for (qsizetype i = head; i < lines.size() - tail; ++i)
            omitted += lines[i].size();
        const QString gap =
            QCoreApplication::translate("CellToolTip", "[\u2026 %1 characters left out \u2026]")
                .arg(omitted);
        lines.erase(lines.begin() + head, lines.end() - tail);
        lines.insert(head, gap);
    }
    for (QString &line : lines)
        line = line.toHtmlEscaped();
    // Lines that keep their own breaks and spaces: Qt neither wraps them
    // again nor reads anything in them as markup.
    return QStringLiteral("<p style=\"white-space:pre\">") + lines.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}
