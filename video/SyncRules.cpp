#include "SyncRules.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace SyncRules {

bool showsNoRecording(uint64_t clockUs, uint64_t fileStartUs)
{
    return clockUs != 0 && fileStartUs != 0 && clockUs < fileStartUs;
}

uint64_t startingTime(uint64_t selectedShownUs, const QList<uint64_t>& fileStartsUs)
{
    if (selectedShownUs != 0)
        return selectedShownUs;
    uint64_t earliest = 0;
    for (const uint64_t start : fileStartsUs) {
        if (start != 0 && (earliest == 0 || start < earliest))
            earliest = start;
    }
    return earliest;
}

int channelInName(const QString& fileName)
{
    static const QRegularExpression prefix(QStringLiteral("^ch(\\d{1,3})[_-]"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = prefix.match(QFileInfo(fileName).fileName());
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

bool sameChannel(const Segment& a, const Segment& b)
{
    const int nameA = channelInName(a.path);
    const int nameB = channelInName(b.path);
    if (nameA >= 0 && nameB >= 0)
        return nameA == nameB;
    return a.infoChannel >= 0 && a.infoChannel == b.infoChannel;
}

qsizetype nextSegment(const Segment& ended, const QList<Segment>& list)
{
    constexpr uint64_t kGapUs = 5'000'000;
    if (ended.end == 0)
        return -1;
    qsizetype best = -1;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Segment& s = list[i];
        if (s.path == ended.path || s.start == 0 || s.start <= ended.start || !sameChannel(ended, s))
            continue;
        const uint64_t gap = s.start > ended.end ? s.start - ended.end : ended.end - s.start;
        if (gap <= kGapUs && (best < 0 || s.start < list[best].start))
            best = i;
    }
    return best;
}

}
