/*
 * kvplay.h - playback library for recorder files.
 *
 * A player is an opaque nonzero 32-bit instance handle; 0 means failure.
 * Calls return 0 on success and one of the KV_ERR_* codes otherwise, except
 * value queries, whose failure value is stated with each call.
 *
 * Times are 64-bit microseconds since 1970-01-01 00:00:00 UTC. A file's start
 * is its recording time, taken from the first of these that knows one (the
 * KV_TIME_* codes): the container's creation time (ISO 8601, UTC unless it
 * names a zone), else a wall-clock stamp carried in the stream, else a
 * date-time in the file name ("20250314092653", "ch03_2025-03-14_09-26-53",
 * local time unless it names a zone), else the file's modification time minus
 * its duration. 0 is never a valid time: it means "none yet".
 *
 * Threads
 * -------
 * - Any call may be made from any thread that is not a library thread, while
 *   library threads run. Calls on different handles may run concurrently;
 *   calls on one handle are serialised inside the library.
 * - Callbacks (message callback, render target, draw hook, picture hooks) run
 *   on library threads. They must not call back into this API: such a call
 *   returns KV_ERR_REENTRANT (or its failure value) and does nothing. They
 *   must not block on the thread that calls the API either, because setting
 *   or clearing a callback waits until a running invocation of it returns.
 * - Once KvPlayDestroyPlayInstance, KvPlayClosePlayFile or KvPlayStopPlay
 *   returns, no callback of that instance runs any more (for Close and Stop:
 *   until the next KvPlayStartPlay). Once KvPlaySetPlayWnd(h, other) returns,
 *   the previous render target is never called again.
 *
 * Rendering
 * ---------
 * The library paints no window. KvPlaySetPlayWnd takes a KvRenderTarget that
 * the video surface provides. On its render thread the library converts each
 * frame to 32-bit BGRA (byte order B, G, R, A in memory; the layout of
 * QImage::Format_RGB32 on little-endian machines, alpha 255) at the target's
 * current size, honouring the view area (KvPlayAdjustViewArea) and the aspect
 * mode (KvPlayRenderActualProportion), and hands it to present(). The pixels
 * are valid only during the call: the target copies them behind its own lock
 * and paints on its own thread.
 */
#ifndef KVPLAY_H
#define KVPLAY_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define KVPLAY_API __attribute__((visibility("default")))
#else
#define KVPLAY_API
#endif

/* Result codes. */
enum {
    KV_OK = 0,
    KV_ERR_HANDLE = 1,      /* unknown handle, or instance kind not supported */
    KV_ERR_PARAM = 2,       /* null pointer or value out of range */
    KV_ERR_OPEN = 3,        /* file missing, unreadable or not recognised */
    KV_ERR_STATE = 4,       /* wrong state: no file open, not playing, not recording */
    KV_ERR_UNSUPPORTED = 5, /* not available in this library (network, talk, OSD) */
    KV_ERR_NO_FRAME = 6,    /* no picture decoded yet */
    KV_ERR_IO = 7,          /* an output file could not be written completely */
    KV_ERR_NOT_INIT = 8,    /* KvPlayInitPlayLib has not succeeded */
    KV_ERR_REENTRANT = 9,   /* called from a library callback */
    KV_ERR_NO_MEMORY = 10,
    KV_ERR_NO_STREAM = 11,  /* the file has no stream the call needs */
    KV_ERR_TIMEOUT = 12,    /* the wait ran out before the result was ready */
    KV_ERR_CANCELLED = 13   /* the caller's progress callback asked to stop */
};

/* Messages passed to the message callback. */
enum {
    KV_MSG_END_OF_FILE = 11 /* the last decodable frame was shown, or the file became unreadable */
};

/* Play state codes for KvPlaySetPlayMode / KvPlayGetPlayMode. */
enum {
    KV_MODE_PLAY = 1,
    KV_MODE_STOP = 2,
    KV_MODE_PAUSE = 3,
    KV_MODE_SLOW2 = 4, KV_MODE_SLOW4 = 5, KV_MODE_SLOW8 = 6, KV_MODE_SLOW16 = 7,
    KV_MODE_FAST2 = 16, KV_MODE_FAST4 = 17, KV_MODE_FAST8 = 18, KV_MODE_FAST16 = 19,
    KV_MODE_STEP = 48,
    KV_MODE_STEP_BACK = 49
};

/* Aspect modes for KvPlayRenderActualProportion. */
enum {
    KV_ASPECT_FILL = 0,  /* stretch to the target */
    KV_ASPECT_FILL1 = 1, /* same as KV_ASPECT_FILL */
    KV_ASPECT_FIT = 2,   /* keep the picture's aspect, black bars */
    KV_ASPECT_CROP = 3   /* keep the picture's aspect, crop to fill */
};

/* Where a file's recording time came from (KvPlayFileInfo.time_source). */
enum {
    KV_TIME_UNKNOWN = 0,   /* no file */
    KV_TIME_CREATION = 1,  /* the container's creation time */
    KV_TIME_STREAM = 2,    /* a wall-clock stamp in the stream */
    KV_TIME_FILE_NAME = 3, /* a date-time in the file name */
    KV_TIME_MODIFIED = 4   /* the modification time minus the length */
};

/* Clip container kinds for KvPlayLocalRecordRequest.kind. */
enum {
    KV_CLIP_SOURCE = 0, /* the source's own container where possible, else MP4 */
    KV_CLIP_RAW = 1,    /* elementary stream of the source video codec */
    KV_CLIP_AVI = 2,
    KV_CLIP_MP4 = 4
};

/*
 * Render target. Both functions are called on a library thread and must be
 * thread-safe. size() reports the target's current size in pixels; a size
 * with a side <= 0 suspends presenting. present() receives width x height
 * BGRA pixels, stride bytes per row.
 */
typedef struct KvRenderTarget {
    void *user;
    void (*present)(void *user, const uint8_t *bgra, int32_t width, int32_t height, int32_t stride);
    void (*size)(void *user, int32_t *width, int32_t *height);
} KvRenderTarget;

/* Message callback: message is a KV_MSG_* code. Library thread. */
typedef void (*KvPlayMessageFn)(int32_t message, void *context);

/*
 * Draw hook: called on the render thread right after each present() with the
 * same pixels (read only). Suited to overlays measured on the presented size.
 */
typedef void (*KvPlayDrawFn)(uint32_t handle, const uint8_t *bgra, int32_t width, int32_t height,
                             int32_t stride, void *user);

/*
 * Picture hooks. allocate(width, height, target) returns a buffer of
 * width x height BGRA pixels (stride width * 4) and an event value; the
 * library fills the pixels and calls ready(event, value, 0, extra) with
 * value = the picture's time in whole seconds since 1970 and extra = 0.
 * A null pixels pointer from allocate skips the picture.
 *
 * They cost a full-size conversion, so the library calls them rarely: once
 * for the first frame presented after the hooks are registered, after
 * KvPlayStartPlay, and after each seek; never for every frame.
 */
typedef struct KvPlayImageBuffer {
    uint8_t *pixels;
    void *event;
} KvPlayImageBuffer;
typedef KvPlayImageBuffer (*KvPlayAllocImageFn)(int32_t width, int32_t height, void *target);
typedef void (*KvPlayImageReadyFn)(void *event, uint32_t value, uint32_t reserved, uint32_t extra);
typedef struct KvPlayImageHooks {
    KvPlayAllocImageFn allocate;
    KvPlayImageReadyFn ready;
    uint32_t flags;
    uint32_t user;
    void *target;
} KvPlayImageHooks;

/*
 * Capture record (272 bytes): the library's part of the 280-byte capture
 * request. format 256 = PNG, the only format.
 */
typedef struct KvPlayCaptureRecord {
    char path[260];
    uint32_t reserved0;
    uint32_t reserved1;
    uint32_t format;
} KvPlayCaptureRecord;

/* The caller's 280-byte capture request; the library receives &record. */
typedef struct KvPlayCaptureRequest {
    uint32_t reserved;
    uint32_t user;
    KvPlayCaptureRecord record;
} KvPlayCaptureRequest;

/* The caller's 536-byte clip request. */
typedef struct KvPlayClipRequest {
    int32_t kind; /* KV_CLIP_* */
    uint32_t reserved0;
    uint32_t reserved1;
    uint32_t passthrough;
    char clip_path[260];
    char picture_path[260];
} KvPlayClipRequest;

/* What KvPlayStartlocalrecordFile receives, built from a KvPlayClipRequest. */
typedef struct KvPlayLocalRecordRequest {
    uint32_t reserved0;
    const char *clip_path;    /* UTF-8 */
    const char *picture_path; /* UTF-8; empty or null: no companion picture */
    int32_t kind;             /* KV_CLIP_* */
    uint32_t passthrough;
    uint32_t reserved1;
    uint32_t reserved2;
} KvPlayLocalRecordRequest;

/* The 1296-byte file information record. Texts are NUL-terminated. */
typedef struct KvPlayFileInfo {
    char path[256];         /* written by the caller */
    uint64_t time;          /* recording start, us since 1970 UTC; 0 when unknown */
    int32_t time_source;    /* KV_TIME_*: the rule that gave time */
    uint8_t reserved[8];
    int32_t channel;        /* counted from 0 */
    char mac[32];
    char serial[32];
    char device_type[952];
} KvPlayFileInfo;

/* Sound format of the two-way talk calls (not supported). */
typedef struct KvPlayAudioFormat {
    int32_t sample_rate;
    int32_t bits;
    int32_t format;
} KvPlayAudioFormat;

#ifdef __cplusplus
static_assert(sizeof(KvPlayCaptureRecord) == 272, "capture record");
static_assert(sizeof(KvPlayCaptureRequest) == 280, "capture request");
static_assert(offsetof(KvPlayCaptureRequest, record) == 8, "capture path offset");
static_assert(offsetof(KvPlayCaptureRequest, record) + offsetof(KvPlayCaptureRecord, format) == 276,
              "capture format offset");
static_assert(sizeof(KvPlayClipRequest) == 536, "clip request");
static_assert(offsetof(KvPlayClipRequest, clip_path) == 16, "clip path offset");
static_assert(offsetof(KvPlayClipRequest, picture_path) == 276, "picture path offset");
static_assert(sizeof(KvPlayFileInfo) == 1296, "file information record");
static_assert(offsetof(KvPlayFileInfo, time) == 256, "time offset");
static_assert(offsetof(KvPlayFileInfo, time_source) == 264, "time source offset");
static_assert(offsetof(KvPlayFileInfo, channel) == 276, "channel offset");
static_assert(offsetof(KvPlayFileInfo, mac) == 280, "mac offset");
static_assert(offsetof(KvPlayFileInfo, serial) == 312, "serial offset");
static_assert(offsetof(KvPlayFileInfo, device_type) == 344, "device type offset");
#else
_Static_assert(sizeof(KvPlayCaptureRequest) == 280, "capture request");
_Static_assert(sizeof(KvPlayClipRequest) == 536, "clip request");
_Static_assert(sizeof(KvPlayFileInfo) == 1296, "file information record");
#endif

/* ---- Library ---------------------------------------------------------- */

/* Arguments are reserved (pass 0). Repeated calls succeed. */
KVPLAY_API int32_t KvPlayInitPlayLib(uint32_t reserved0, uint32_t reserved1, uint32_t reserved2);
/* Destroys every remaining instance (as KvPlayDestroyPlayInstance), then deinitialises. */
KVPLAY_API int32_t KvPlayDeinitPlayLib(void);
/*
 * Hardware decoding. Up to n video streams of all instances together decode
 * through VA-API when the machine has a render node (/dev/dri/renderD*) and
 * the codec supports it; every other stream decodes in software. A stream
 * whose device, codec or driver refuses falls back to software on its own,
 * at its next keyframe if it was already playing; callers see no difference.
 * n = 0 keeps every stream in software without trying the device. A new n
 * counts for streams started afterwards; streams already in hardware keep
 * their decoder until they stop. KV_DEFAULT_HARDWARE_DECODERS until the
 * first call. KV_ERR_PARAM for n < 0.
 */
enum { KV_DEFAULT_HARDWARE_DECODERS = 16 };
KVPLAY_API int32_t KvPlaySetMaxHardwareDecodeNumber(int32_t n);
/* The n of the last KvPlaySetMaxHardwareDecodeNumber. */
KVPLAY_API int32_t KvPlayGetMaxHardwareDecodeNumber(void);
/* How many video streams decode in hardware now. */
KVPLAY_API int32_t KvPlayGetHardwareDecodeCount(void);

/* ---- Instances -------------------------------------------------------- */

/* Instance kinds for KvPlayCreatePlayInstance. */
enum {
    KV_KIND_FILE = 0,
    /* A recording-time clock that leads a sync group and plays no file. Its
     * time is a recording time: KvPlaySetCurPlayedTime sets it (any nonzero
     * time, no file range applies), KvPlayGetCurPlayedTime reads it (0 until
     * first set). KvPlaySetPlayMode sets its speed or pauses it; for
     * KV_MODE_STEP and KV_MODE_STEP_BACK param is the step in us (0: the
     * shortest frame interval of the files that follow it, 40000 when none
     * does) and the clock moves by that much and pauses. KvPlayGetPlayMode answers
     * the mode last set (KV_MODE_PAUSE at first). Opening a file and starting
     * answer KV_ERR_STATE. */
    KV_KIND_SYNC_CLOCK = 1
};

/* kind: KV_KIND_*; other kinds and an uninitialised library give 0. */
KVPLAY_API uint32_t KvPlayCreatePlayInstance(int32_t kind);
/* Stops, closes and frees; joins every library thread of the instance. */
KVPLAY_API int32_t KvPlayDestroyPlayInstance(uint32_t h);

/* Opens a file by its content, whatever its extension. Cheap: no decoder,
 * no thread, no audio device. On failure nothing stays open. KV_ERR_STATE
 * when a file is already open. */
KVPLAY_API int32_t KvPlayOpenPlayFile(uint32_t h, const char *path);
/* File lists are not supported: KV_ERR_UNSUPPORTED. */
KVPLAY_API int32_t KvPlayOpenPlayFileListEx(uint32_t h, uint32_t word0, uint32_t word1);
KVPLAY_API int32_t KvPlayClosePlayFile(uint32_t h);

/* target may be null (no output). The library copies the struct. */
KVPLAY_API int32_t KvPlaySetPlayWnd(uint32_t h, const KvRenderTarget *target);
KVPLAY_API int32_t KvPlaySetCallbackMessageEx(uint32_t h, KvPlayMessageFn fn, void *context);
/* hooks may be null to remove them; the library copies the struct. */
KVPLAY_API int32_t KvPlayImageCallback(uint32_t h, const KvPlayImageHooks *hooks, void *window);

/* ---- Playback --------------------------------------------------------- */

/* Starts the threads and plays from the start of the file in the current mode. */
KVPLAY_API int32_t KvPlayStartPlay(uint32_t h);
/* Stops playing; the file stays open and the next start plays from the start. */
KVPLAY_API int32_t KvPlayStopPlay(uint32_t h);
/*
 * Makes h play in sync with master: from now on h shows, of its own file, the
 * picture at the master's play position (time since the start of each file),
 * at the master's speed, paused while the master is paused, one frame on when
 * the master steps. The master's later mode changes, seeks and starts move
 * h too; h in turn may start, stop, close and open files as before, and
 * starts at the master's position. While following, KvPlaySetPlayMode and
 * the seeks on h return KV_ERR_STATE and change nothing. A master that never
 * played holds its followers at the start; a stopped one runs on at its last
 * speed, so its followers go on to their own ends.
 * - If master itself follows another instance, h joins that instance's group.
 * - h may move from one group to another; an instance that others follow
 *   cannot follow: KV_ERR_STATE.
 * - KV_ERR_HANDLE for an unknown master or h; KV_ERR_PARAM when h would
 *   follow itself (master == h, or master follows h).
 * - Destroying the master leaves its followers playing on their own, from
 *   where they were, at the master's last mode; then they take their own
 *   mode changes and seeks again. Destroying a follower leaves the rest as
 *   they were. Nothing else ends following.
 */
KVPLAY_API int32_t KvPlayAddSyncPlayInstance(uint32_t master, uint32_t h);

/* code: KV_MODE_* except KV_MODE_STOP (use KvPlayStopPlay), else
 * KV_ERR_PARAM. Before KvPlayStartPlay the mode is kept for the start.
 * KV_MODE_STEP shows the next frame and leaves the instance paused on it.
 * param is reserved (0). Sound is heard only at normal speed; at x8 and x16
 * only keyframes are decoded. While a picture is shown at half its size or
 * less the H.264 loop filter is skipped. While pictures reach the screen
 * more than two frames late, those that no other picture refers to are not
 * decoded, until three pictures in a row are shown within their own frame
 * time. Late pictures are dropped: the play speed never slows for them, and
 * only when even the pictures that others refer to cannot be decoded in
 * time does the picture on screen fall behind. Neither shortcut reaches
 * snapshots or clips: a snapshot is the picture on screen decoded in full,
 * a clip is copied from the file. KV_ERR_STATE while the instance follows a
 * sync master. */
KVPLAY_API int32_t KvPlaySetPlayMode(uint32_t h, int32_t code, int32_t param);
/*
 * KV_MODE_STEP_BACK shows exactly the frame before the one on screen, in
 * presentation order (B-frames included), and leaves the instance paused on
 * it. Unlike the other modes it returns only once that frame is known and
 * handed to the render thread, so KvPlayGetCurPlayedTime right after it
 * returns the new frame's time. At the file's first frame it returns KV_OK
 * and nothing changes. Per instance the library keeps the pictures of the
 * frames before the one on screen at the size they are presented, at most
 * 64 MB of them, and while the user steps back it decodes the stretch before
 * in the background, so a run of steps back finds most pictures ready; a step
 * whose picture is not at hand decodes from the keyframe before it. A step
 * forward after steps back shows the next kept picture, or goes on from the
 * decoder. A snapshot of a stepped-back frame decodes that frame again at its
 * full size. Followers of a sync master move to the master's new position.
 * KV_ERR_NO_STREAM without video, KV_ERR_STATE when not playing, without a
 * render target, or while following.
 */
/* Current KV_MODE_* code (KV_MODE_PAUSE after a step, KV_MODE_STOP when not
 * playing); 0 for an unknown handle. */
KVPLAY_API int32_t KvPlayGetPlayMode(uint32_t h);

/* Time of the frame on screen; 0 when none (not playing, nothing shown yet). */
KVPLAY_API uint64_t KvPlayGetCurPlayedTime(uint32_t h);
/* Start and end of the open file. For raw elementary streams the end is an
 * estimate from the file size until the file has been indexed; for MPEG-TS
 * and its kin, whose timestamps may reset inside the file (a recorder that
 * restarted), it is the container's own measure until then. Times are
 * continuous across such resets everywhere: playback, seeks, clips. */
KVPLAY_API int32_t KvPlayGetPlayFileTimeRange(uint32_t h, uint64_t *start, uint64_t *end);
/* The same range made exact. For a raw stream whose end is still an
 * estimate, or a file whose timestamps may reset, it starts the index pass
 * (parse only, about a second per GB from cache) if it is not running yet
 * and waits for it up to wait_ms: KV_OK with the exact
 * range, or KV_ERR_TIMEOUT with the estimate filled in when the wait ran out
 * (call again to wait on). Other files answer at once. It blocks: call it from
 * a worker thread, never from a library callback. Closing or destroying the
 * instance from another thread ends the wait. */
KVPLAY_API int32_t KvPlayGetPlayFileTimeRangeExact(uint32_t h, uint64_t *start, uint64_t *end, uint32_t wait_ms);
/* Exact seek: the frame shown is the one at or just before the time.
 * Both seeks: KV_ERR_STATE when not playing or while following a sync master. */
KVPLAY_API int32_t KvPlaySetCurPlayedTime(uint32_t h, uint32_t low, uint32_t high);
/* Fast seek: the frame shown is the keyframe at or before the time. */
KVPLAY_API int32_t KvPlaySetCurPlayedTimeEX(uint32_t h, uint32_t low, uint32_t high);

/* ---- Sound ------------------------------------------------------------ */

/* Only an instance with sound open holds an audio device. Without audio
 * hardware playback goes on silently and OpenSound still returns 0. */
KVPLAY_API int32_t KvPlayOpenSound(uint32_t h);
KVPLAY_API int32_t KvPlayCloseSound(uint32_t h);
/* volume 0..100; larger values are clamped to 100, negative ones to 0. */
KVPLAY_API int32_t KvPlaySetPlayVolume_s(uint32_t h, int32_t volume);
/* Volume 0..100; -1 for an unknown handle. */
KVPLAY_API int32_t KvPlayGetPlayVolume_s(uint32_t h);
KVPLAY_API int32_t KvPlaySetMute_s(uint32_t h, int32_t on);
/* 1 muted, 0 not; -1 for an unknown handle. */
KVPLAY_API int32_t KvPlayGetMute_s(uint32_t h);
/* No microphone path: the setters return KV_ERR_UNSUPPORTED, the getters -1. */
KVPLAY_API int32_t KvPlaySetMicPlayVolume(uint32_t h, int32_t volume);
KVPLAY_API int32_t KvPlayGetMicPlayVolume(uint32_t h);
KVPLAY_API int32_t KvPlaySetMicMute(uint32_t h, int32_t on);
KVPLAY_API int32_t KvPlayGetMicMute(uint32_t h);

/* ---- Picture ---------------------------------------------------------- */

/* Asks the render thread to present the last frame again at the target's
 * current size. Returns at once. NSynchro does nothing when the last
 * present already matches the target's size, view and aspect, so it may be
 * called from every paint of the surface without a paint loop. */
KVPLAY_API int32_t KvPlayNSynchroRePaint(uint32_t h);
KVPLAY_API int32_t KvPlayRePaint(uint32_t h);
/* fn null removes the hook. window is unused. */
KVPLAY_API int32_t KvPlayRegisterDrawFun_s(uint32_t h, KvPlayDrawFn fn, void *user, void *window);
/* Decoded picture size; known after open. */
KVPLAY_API int32_t KvPlayGetPlayPicSize(uint32_t h, int32_t *width, int32_t *height);
/* Bits per pixel of presented pictures (32); 0 for an unknown handle. */
KVPLAY_API int32_t KvPlayGetImageiBpp(uint32_t h);
/* Insets from the picture's edges in picture pixels; all 0 = whole picture.
 * Insets that leave no area select the whole picture. */
KVPLAY_API int32_t KvPlayAdjustViewArea(uint32_t h, int32_t left, int32_t right, int32_t top, int32_t bottom);
/* mode: KV_ASPECT_*. */
KVPLAY_API int32_t KvPlayRenderActualProportion(uint32_t h, int32_t mode);
/* Not supported: KV_ERR_UNSUPPORTED. */
KVPLAY_API int32_t KvPlayGetPosImage(uint32_t h, int32_t a, int32_t b, void *record);
KVPLAY_API int32_t KvPlaySetOsdString(uint32_t h, int32_t x, int32_t y, const char *text);
KVPLAY_API int32_t KvPlayRemoveOsdstring(uint32_t h);

/* ---- Capture and clips ------------------------------------------------ */

/* Writes the frame on screen as PNG at the picture's own resolution.
 * 0 only when the file is completely written. Synchronous. */
KVPLAY_API int32_t KvPlayCapturePicture(uint32_t h, const KvPlayCaptureRecord *record);
/* Starts a clip at the keyframe at or before the play position, written
 * without re-encoding when it stops. The output is created here: a clip that
 * cannot be written (folder missing or read-only, disk full) fails at once
 * with KV_ERR_IO. */
KVPLAY_API int32_t KvPlayStartlocalrecordFile(uint32_t h, const KvPlayLocalRecordRequest *request);
/* Ends the clip at the play position and writes it; 0 when the file is
 * complete. p (16 bytes, may be null) receives the clip's start and end
 * times; q (may be null) receives the number of video packets written. */
KVPLAY_API int32_t KvPlayStoplocalrecord(uint32_t h, void *p, void *q);
/* The outcome of a clip written in the background: rc is 0 when the file is
 * complete; otherwise no file is left. Times are absolute, as for p above. */
typedef struct KvPlayClipOutcome {
    int32_t rc;
    uint32_t packets;
    uint64_t start_time;
    uint64_t end_time;
} KvPlayClipOutcome;
typedef void (*KvPlayClipDoneFn)(const KvPlayClipOutcome *outcome, void *user);
/* Ends the clip at the play position and returns at once; the clip is written
 * on a library thread, independent of the instance, which plays, closes or is
 * destroyed meanwhile. done (required) is called exactly once, on that
 * thread, when the file is complete or has failed; only when this returns 0.
 * The instance no longer records either way. KvPlayDeinitPlayLib waits for
 * every clip still being written. */
KVPLAY_API int32_t KvPlayStopLocalRecordAsync(uint32_t h, KvPlayClipDoneFn done, void *user);
/* Live-stream recording is not supported: KV_ERR_UNSUPPORTED. */
KVPLAY_API int32_t KvPlayStartlocalrecord(uint32_t h, void *request, uint32_t word, uint32_t reserved);
KVPLAY_API int32_t KvPlaySwitchRecordFile(uint32_t h, void *request, uint32_t word, uint32_t reserved);

/* ---- File information ------------------------------------------------- */

/* Fills the record for the file named in record->path. Unknown fields are
 * zero. KV_ERR_OPEN when the file cannot be opened. No handle needed. */
KVPLAY_API int32_t KvPlayGetFileInfo(KvPlayFileInfo *record);

/* ---- Span export ------------------------------------------------------ */

/*
 * Progress of a span export: bytes of the source's packets copied so far.
 * Return nonzero to go on, 0 to cancel. Called on the exporting thread.
 */
typedef int32_t (*KvPlayProgressFn)(uint64_t bytes, void *user);

typedef struct KvPlaySpanRequest {
    const char *source;        /* UTF-8 path of the recording */
    const char *output;        /* UTF-8 path of the copy; complete or absent afterwards */
    const char *picture;       /* UTF-8 path of a PNG of the picture at start; null or empty: none */
    uint64_t start;            /* recording times, us since 1970 UTC */
    uint64_t end;
    KvPlayProgressFn progress; /* may be null */
    void *user;
} KvPlaySpanRequest;

typedef struct KvPlaySpanResult {
    uint64_t first;            /* recording time of the first picture in the copy */
    uint64_t last;             /* recording time of the last picture in the copy */
    uint64_t bytes;            /* packet bytes copied */
    uint32_t video_packets;
    uint32_t audio_packets;
    char container[32];        /* the muxer written, e.g. "mp4", "matroska" */
    char video_codec[32];
    char audio_codec[32];      /* empty without sound */
} KvPlaySpanResult;

/* The file name extension (without the dot) that an export of source gets:
 * its own container type where it can be written, else "mkv". KV_ERR_OPEN
 * for an unreadable file, KV_ERR_NO_STREAM without pictures, KV_ERR_PARAM
 * when extension (size bytes) is too small. No handle needed. */
KVPLAY_API int32_t KvPlayGetSpanExtension(const char *source, char *extension, int32_t size);
/*
 * Copies the span [start, end] of a recording without re-encoding: from the
 * keyframe at or before start, in decoding order, until every picture up to
 * end is in and at least one picture after end (unless the file ends first),
 * with the sound that goes with those pictures. The container is the one
 * KvPlayGetSpanExtension names; its tags are the source's, its creation time
 * that of its first picture. Timestamps start at 0 with the first keyframe.
 * KV_ERR_NO_FRAME when the span lies outside the file, KV_ERR_IO when the
 * copy could not be written completely, KV_ERR_CANCELLED when progress said
 * stop; on any failure no output (and no picture) is left. It blocks: call it
 * from a worker thread. No handle needed; calls may run concurrently.
 */
KVPLAY_API int32_t KvPlayExportSpan(const KvPlaySpanRequest *request, KvPlaySpanResult *result);

/* ---- Two-way talk (not supported: KV_ERR_UNSUPPORTED) ------------------ */

typedef void (*KvPlayDualFn)(const uint8_t *data, int32_t size, void *user);
KVPLAY_API int32_t KvPlayStartDualTalk(uint32_t h, const KvPlayAudioFormat *format);
KVPLAY_API int32_t KvPlayStopDualTalk(uint32_t h);
KVPLAY_API int32_t KvPlayRegisterSetDualCallback(uint32_t h, KvPlayDualFn fn, void *user);

#ifdef __cplusplus
}
#endif

#endif
