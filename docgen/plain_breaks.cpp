// The page rules of plain-text documents: groups of lines, their steps and dashes kept whole.
#include "page_breaks.h"
#include "pages.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextLayout>

#include <vector>

namespace pages {
namespace {

/** Lines of a plain-text document that the end of a page should not cut, and their own parts. */
struct LineGroup
{
    int first, last; // the lines, counted from 0
    std::vector<LineGroup> parts;
};

bool underline(const QString &line)
{
    const QString t = line.trimmed();
    return !t.isEmpty() &&
           (t.count(QLatin1Char('-')) == t.size() || t.count(QLatin1Char('=')) == t.size());
}

// A numbered step ("  9. ", " 10. ") at the left margin, or a dash within a step.
bool numbered(const QString &line)
{
    static const QRegularExpression step(QStringLiteral("^ {0,3}\\d+\\. "));
    return step.match(line).hasMatch();
}

bool dashed(const QString &line)
{
    static const QRegularExpression dash(QStringLiteral("^ +— "));
    return dash.match(line).hasMatch();
}

// Splits lines [first, last] before each line that passes the test (the lines before the first
// such line go with it); no parts when fewer than two.
template <typename Test>
std::vector<LineGroup> splitAt(const QStringList &lines, int first, int last, Test starts)
{
    std::vector<LineGroup> parts;
    for (int i = first; i <= last; ++i)
        if (i > first && starts(lines[i]))
            parts.push_back({parts.empty() ? first : parts.back().last + 1, i - 1, {}});
    if (parts.empty())
        return parts;
    parts.push_back({parts.back().last + 1, last, {}});
    return parts;
}

// The steps of a group of lines and the dashes of each step.
std::vector<LineGroup> stepsOf(const QStringList &lines, int first, int last)
{
    std::vector<LineGroup> steps = splitAt(lines, first, last, numbered);
    if (steps.empty())
        return splitAt(lines, first, last, dashed);
    for (LineGroup &step : steps)
        step.parts = splitAt(lines, step.first, step.last, dashed);
    return steps;
}

// Whether a group of lines goes with the group below it: a heading, a title of a line or two at
// the left margin (not a step), and a sentence that runs on below, ending in a colon or a word.
bool goesWithNext(const QStringList &lines, int first, int last)
{
    const QString end = lines[last].trimmed();
    if (underline(end) || end.endsWith(QLatin1Char(':')) || end.back().isLetter())
        return true;
    return last - first < 2 && !lines[first].startsWith(QLatin1Char(' ')) &&
           !numbered(lines[first]);
}

std::vector<LineGroup> partsOf(const QStringList &lines)
{
    std::vector<LineGroup> groups;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        int end = i;
        while (end + 1 < lines.size() && !lines[end + 1].trimmed().isEmpty())
            ++end;
        groups.push_back({i, end, stepsOf(lines, i, end)});
        i = end;
    }
    std::vector<LineGroup> units;
    for (size_t g = 0; g < groups.size();) {
        size_t next = g + 1;
        while (next < groups.size() &&
               (goesWithNext(lines, groups[next - 1].first, groups[next - 1].last) ||
                lines[groups[next].first].trimmed().front().isLower()))
            ++next;
        if (next == g + 1)
            units.push_back(groups[g]);
        else
            units.push_back({groups[g].first, groups[next - 1].last,
                             std::vector<LineGroup>(groups.begin() + g, groups.begin() + next)});
        g = next;
    }
    return units;
}

void keepPlain(QTextDocument &doc, const std::vector<QTextBlock> &blocks, const LineGroup &part)
{
    const auto top = [&](int line) {
        return doc.documentLayout()->blockBoundingRect(blocks[line]).top();
    };
    const int page = pageAt(doc, top(part.first));
    if (pageAt(doc, top(part.last)) == page)
        return;
    const bool beginsPage = part.first == 0 || pageAt(doc, top(part.first - 1)) < page;
    const qreal height =
        doc.documentLayout()->blockBoundingRect(blocks[part.last]).bottom() - top(part.first);
    if (height <= doc.pageSize().height() / 2 && !beginsPage) {
        breakBeforeBlock(doc, blocks[part.first]);
        return;
    }
    for (const LineGroup &inner : part.parts)
        keepPlain(doc, blocks, inner);
}

} // namespace

void breakPlainText(QTextDocument &doc)
{
    QStringList lines;
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        lines << block.text();
        blocks.push_back(block);
    }
    for (const LineGroup &unit : partsOf(lines))
        keepPlain(doc, blocks, unit);
}

} // namespace pages
