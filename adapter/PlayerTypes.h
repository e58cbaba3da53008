#pragma once

// The records exchanged between the player, the adapter and the playback
// library. The request records have the library's layouts, byte for byte, but
// are the adapter's own: the program never sees the library's header.

#include <cstddef>
#include <cstdint>

class QObject;
class QWidget;
class QKvosAdapter;

// Play state codes shared by the library, the video windows and the controls.
enum PlayState : int32_t {
    PlayStatePlay = 1,
    PlayStateStop = 2,
    PlayStatePause = 3,
    PlayStateSlow2 = 4,
    PlayStateSlow4 = 5,
    PlayStateSlow8 = 6,
    PlayStateSlow16 = 7,
    PlayStateFast2 = 16,
    PlayStateFast4 = 17,
    PlayStateFast8 = 18,
    PlayStateFast16 = 19,
    PlayStateStep = 48,
    // A command only: the window shows the frame before and then reports 48.
    PlayStateStepBack = 49
};

// Where a file's recording time came from (FileInfoRecord::time_source), in
// the order the library tries them.
enum RecordingTimeSource : int32_t {
    TimeSourceUnknown = 0,
    TimeSourceCreation = 1,
    TimeSourceStream = 2,
    TimeSourceFileName = 3,
    TimeSourceModified = 4
};

// PlayWindowParam::flags bits.
constexpr uint32_t kPlayFlagStartNow = 0x40;
constexpr uint32_t kPlayFlagJoinSync = 0x80;
// What a video window passes; 0x100 is only carried along.
constexpr uint32_t kPlayFlagsVideoWindow = 0x140;
// PlayContext::flags of a feed player.
constexpr uint32_t kPlayFlagFeed = 128;

// The library message that ends a file.
constexpr int32_t kPlayMessageEndOfFile = 11;

// Container kinds of a clip request.
enum ClipKind : int32_t { ClipKindSource = 0, ClipKindRaw = 1, ClipKindAvi = 2, ClipKindMp4 = 4 };

struct PlayWindowParam {
    QWidget* surface = nullptr; // a RenderSurface widget, or null for no pictures
    uint32_t syncMaster = 0;
    uint32_t flags = 0;
    uint32_t reserved = 0;
};

struct PlayFileParam {
    uint32_t instance = 0;        // written with the instance handle on success
    QObject* eventTarget = nullptr;
    uint32_t user = 0;            // copied into every event; 0 posts nothing
    char path[260] = {};          // UTF-8, NUL-terminated
};

struct PlayListParam {
    uint32_t instance = 0;
    QObject* eventTarget = nullptr;
    uint32_t user = 0;
    uint32_t word0 = 0;
    uint32_t word1 = 0;
};

// A player started over a recorder connection (live view, remote playback,
// talk, feed).
struct StreamParam {
    uint32_t instance = 0;
    QObject* eventTarget = nullptr;
    uint32_t user = 0;
    const void* request = nullptr;
};

// The adapter's record of one opened player.
struct PlayContext {
    uint32_t network = 0;
    uint32_t instance = 0;
    uint32_t flags = 0;
    QObject* eventTarget = nullptr;
    uint32_t user = 0;
    QKvosAdapter* owner = nullptr;
};

// A zoom region in surface pixels.
struct ViewRegion {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The part of a capture request that the library receives. format 256 is
// PNG, the only format.
struct CaptureRecord {
    char path[260];
    uint32_t reserved0;
    uint32_t reserved1;
    uint32_t format;
};

struct CaptureRequest {
    uint32_t reserved;
    uint32_t user;
    CaptureRecord record;
};

struct ClipRequest {
    int32_t kind; // ClipKind
    uint32_t reserved0;
    uint32_t reserved1;
    uint32_t passthrough;
    char clip_path[260];
    char picture_path[260];
};

// The recorder's details of a file. The caller writes the path; the library
// fills in the rest, texts NUL-terminated, unknown fields zero.
struct FileInfoRecord {
    char path[256];
    uint64_t time; // recording start, us since 1970 UTC; 0 when unknown
    int32_t time_source; // a RecordingTimeSource: the rule that gave time
    uint8_t reserved[8];
    int32_t channel; // counted from 0
    char mac[32];
    char serial[32];
    char device_type[952];
};

static_assert(sizeof(CaptureRequest) == 280);
static_assert(offsetof(CaptureRequest, user) == 4);
static_assert(offsetof(CaptureRequest, record) + offsetof(CaptureRecord, path) == 8);
static_assert(offsetof(CaptureRequest, record) + offsetof(CaptureRecord, reserved0) == 268);
static_assert(offsetof(CaptureRequest, record) + offsetof(CaptureRecord, format) == 276);
static_assert(sizeof(ClipRequest) == 536);
static_assert(offsetof(ClipRequest, passthrough) == 12);
static_assert(offsetof(ClipRequest, clip_path) == 16);
static_assert(offsetof(ClipRequest, picture_path) == 276);
static_assert(sizeof(FileInfoRecord) == 1296);
static_assert(offsetof(FileInfoRecord, time) == 256);
static_assert(offsetof(FileInfoRecord, time_source) == 264);
static_assert(offsetof(FileInfoRecord, channel) == 276);
static_assert(offsetof(FileInfoRecord, mac) == 280);
static_assert(offsetof(FileInfoRecord, serial) == 312);
static_assert(offsetof(FileInfoRecord, device_type) == 344);

// Called on the render thread after each presented picture with the same
// pixels, read only.
using DrawHook = void (*)(uint32_t handle, const uint8_t* bgra, int32_t width, int32_t height, int32_t stride,
                          void* user);

// Network access: reports handed on to the caller.
using ConnectionStatusHandler = void (*)(uint32_t session, int32_t code, QObject* owner);
using RemoteTestHandler = void (*)(uint16_t testId, const uint8_t* data, int32_t size, void* user);
using UpgradeProgressHandler = void (*)(int32_t code, intptr_t data, int32_t extra, QObject* target);

// A record download started over a connection; released by
// StopDownloadRecord.
struct DownloadRecord {
    uint32_t download = 0;
    QObject* eventTarget = nullptr;
    uint32_t user = 0;
};
