#pragma once

// Language table indices of the synchronised playback texts, kept together so
// that they can move as one when the table is renumbered.
namespace SyncTexts {
inline constexpr int kSyncPlayback = 123;
inline constexpr int kNoRecording = 124;
}
