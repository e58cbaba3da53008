#pragma once

// Language-table indices of the coverage timeline's texts, in one place.
namespace TimelineTexts {

// The word before a row's window number, where no channel is known.
inline constexpr int kWindow = 121;
// The word before a row's channel number.
inline constexpr int kChannel = 122;

}
