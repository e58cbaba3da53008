#pragma once

// Language text numbers of the notices about snapshots and clips.
namespace OutputTexts {

constexpr int RecordStartFailed = 75;
constexpr int RecordStarted = 76;
// A clip that stopped but could not be written; no file is left.
constexpr int ClipWriteFailed = 119;
// A file, snapshot or clip path longer than the library's records hold.
constexpr int PathTooLong = 120;

}
