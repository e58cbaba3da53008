#pragma once

#include <QEvent>
#include <QByteArray>

#include <cstdint>

// Event types of the reports the adapter posts from library threads.
namespace AdapterEventType {

constexpr QEvent::Type ConnectStatus = static_cast<QEvent::Type>(1000);
constexpr QEvent::Type DeviceSearch = static_cast<QEvent::Type>(1001);
constexpr QEvent::Type ConnectStatusEx = static_cast<QEvent::Type>(1002);
constexpr QEvent::Type RecordQuery = static_cast<QEvent::Type>(1003);
constexpr QEvent::Type RecordQueryEx = static_cast<QEvent::Type>(1004);
constexpr QEvent::Type PlayerMessage = static_cast<QEvent::Type>(1005);
constexpr QEvent::Type Alarm = static_cast<QEvent::Type>(1006);
constexpr QEvent::Type UpgradeProgress = static_cast<QEvent::Type>(1007);
constexpr QEvent::Type DownloadProgress = static_cast<QEvent::Type>(1008);
constexpr QEvent::Type RgbImage = static_cast<QEvent::Type>(1009);
constexpr QEvent::Type RemoteTest = static_cast<QEvent::Type>(1010);
constexpr QEvent::Type Talk = static_cast<QEvent::Type>(1011);
constexpr QEvent::Type CrossDay = static_cast<QEvent::Type>(1012);
constexpr QEvent::Type IdLogin = static_cast<QEvent::Type>(1013);
constexpr QEvent::Type P2pLogin = static_cast<QEvent::Type>(1014);
constexpr QEvent::Type InAnalysis = static_cast<QEvent::Type>(1015);
constexpr QEvent::Type RemotePlay = static_cast<QEvent::Type>(1016);
constexpr QEvent::Type QueryLog = static_cast<QEvent::Type>(1017);

// Limits on the data an event copies: a larger report is not copied.
constexpr int32_t kLargeDataLimit = 1048576;
constexpr int32_t kDeviceDataLimit = 1024;

// Whether an event copies a report: only when data is given and
// 0 <= length < limit. A refused report leaves the event with an empty copy,
// length 0 and user value 0.
bool acceptsCopy(const void* data, int32_t length, int32_t limit);

// The copy of an accepted report; a copy of length 0 holds no buffer.
QByteArray copyOf(const void* data, int32_t length, int32_t limit);

}
