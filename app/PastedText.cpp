#include "PastedText.h"

namespace {

constexpr char Tab = '\t';
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';
constexpr char Space = ' ';

} // namespace

bool PastedText::nextLine()
{
    if (lineStart >= text.size())
        return false;
    const std::size_t lineFeed = text.find(LineFeed, lineStart);
    const std::size_t end = lineFeed == std::string_view::npos ? text.size() : lineFeed;
    line = text.substr(lineStart, end - lineStart);
    if (lineFeed != std::string_view::npos && !line.empty() && line.back() == CarriageReturn)
        line.remove_suffix(1);
    lineStart = end + 1;

    splitsAtTabs = line.find(Tab) != std::string_view::npos;
    if (!splitsAtTabs) {
        const std::size_t first = line.find_first_not_of(Space);
        line = first == std::string_view::npos
                   ? std::string_view()
                   : line.substr(first, line.find_last_not_of(Space) + 1 - first);
    }
    fieldsLeft = true;
    return true;
}

bool PastedText::nextField(std::string_view &field)
{
    if (!fieldsLeft)
        return false;
    const std::size_t end = line.find(splitsAtTabs ? Tab : Space);
    field = line.substr(0, end);
    if (end == std::string_view::npos) {
        fieldsLeft = false;
    } else if (splitsAtTabs) {
        line.remove_prefix(end + 1);
    } else {
        // The line has no spaces at its end, so a field follows the run.
        line.remove_prefix(line.find_first_not_of(Space, end));
    }
    return true;
}
