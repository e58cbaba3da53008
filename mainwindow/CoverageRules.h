#pragma once

#include "CoverageRow.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// How the coverage timeline's rows come from the video windows and their
// play lists: a window's row holds the files of its list that belong to the
// channel of the file it shows, so a camera split into segment files reads as
// one line with its gaps.
namespace CoverageRules {

// The channel a recorder writes at the front of a file name ("ch03_...",
// "CH03-...", "Ch3 ..."), as written; none without such a prefix.
std::optional<int> channelFromName(const QString& path);

// What a row is built from.
struct WindowFiles {
    int window = 0;
    QString currentFile;
    // The channel from the file information, counted from 1, where the file
    // carries recorder details.
    std::optional<int> infoChannel;
    QStringList list;

    bool operator==(const WindowFiles& other) const = default;
};

// A file's recording time range, us from start to end; none while it is
// not known yet (the file then draws nothing).
using RangeOf = std::function<std::optional<std::pair<int64_t, int64_t>>(const QString& path)>;

// The words before a row's number.
struct RowTexts {
    QString window;
    QString channel;
};

// One row per entry, in the order given. A file name's channel matches the
// list's files of the same channel; without one the row shows the window's
// own file alone.
std::vector<CoverageRow> buildRows(const std::vector<WindowFiles>& windows, const RangeOf& rangeOf,
                                   const RowTexts& texts);

}
