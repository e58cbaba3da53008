#include "CoverageRules.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace CoverageRules {

std::optional<int> channelFromName(const QString& path)
{
    static const QRegularExpression prefix(QStringLiteral("^ch(\\d{1,3})[_\\- .]"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = prefix.match(QFileInfo(path).fileName());
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

namespace {

class ChannelCache
{
public:
    std::optional<int> of(const QString& path)
    {
        const auto found = m_channels.constFind(path);
        if (found != m_channels.cend())
            return *found;
        return *m_channels.insert(path, channelFromName(path));
    }

private:
    QHash<QString, std::optional<int>> m_channels;
};

void addSpan(std::vector<CoverageSpan>& spans, const QString& path, const RangeOf& rangeOf)
{
    if (const auto range = rangeOf(path))
        spans.push_back({range->first, range->second, path});
}

CoverageRow buildRow(const WindowFiles& files, const RangeOf& rangeOf, const RowTexts& texts, ChannelCache& cache)
{
    const std::optional<int> channel = cache.of(files.currentFile);
    std::vector<CoverageSpan> spans;
    addSpan(spans, files.currentFile, rangeOf);
    if (channel) {
        for (const QString& path : files.list) {
            if (path != files.currentFile && cache.of(path) == channel)
                addSpan(spans, path, rangeOf);
        }
    }
    const std::optional<int> shown = channel ? channel : files.infoChannel;
    const QString label = shown ? texts.channel + QLatin1Char(' ') + QString::number(*shown)
                                : texts.window + QLatin1Char(' ') + QString::number(files.window + 1);
    return CoverageRow(files.window, label, std::move(spans));
}

}

std::vector<CoverageRow> buildRows(const std::vector<WindowFiles>& windows, const RangeOf& rangeOf,
                                   const RowTexts& texts)
{
    ChannelCache cache;
    std::vector<CoverageRow> rows;
    rows.reserve(windows.size());
    for (const WindowFiles& files : windows)
        rows.push_back(buildRow(files, rangeOf, texts, cache));
    return rows;
}

}
