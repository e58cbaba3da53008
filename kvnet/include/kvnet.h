/*
 * kvnet.h - network client library for recorders.
 *
 * This build has no network support. KvNetInit returns 1 and KvNetRelease
 * returns 0, so the playback side can start and stop it; every other call
 * fails and does nothing:
 *   - calls that return a handle return 0;
 *   - calls whose success value is 1 (KvNetGetDevInfo, KvNetPTZControl,
 *     KvNetRemoteTest, KvNetCapture) return 0;
 *   - every other call returns KVNET_ERR_UNSUPPORTED.
 * All calls are thread-safe and never call back.
 */
#ifndef KVNET_H
#define KVNET_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define KVNET_API __attribute__((visibility("default")))
#else
#define KVNET_API
#endif

enum { KVNET_ERR_UNSUPPORTED = 5 };

/* Reports from the library; never called by this build. */
typedef void (*KvNetStatusFn)(uint32_t session, int32_t code, void *user);
typedef void (*KvNetDataFn)(uint32_t session, const uint8_t *data, int32_t size, void *user);

KVNET_API int32_t KvNetInit(void);
KVNET_API int32_t KvNetRelease(void);

/* Sessions: return a session handle, 0 on failure. */
KVNET_API uint32_t KvNetConnectionStart(const void *request);
KVNET_API uint32_t KvNetConnectionStartEx(const void *request);
KVNET_API int32_t KvNetConnectionStop(uint32_t session);

/* Success value 1; this build returns 0. */
KVNET_API int32_t KvNetGetDevInfo(uint32_t session, void *info);
KVNET_API int32_t KvNetPTZControl(uint32_t session, const void *request);
KVNET_API int32_t KvNetRemoteTest(uint32_t session, const void *request);
KVNET_API int32_t KvNetCapture(uint32_t session, const void *request);

/* Live view, parameters, records, alarms, upgrades, logs, talk. */
KVNET_API int32_t KvNetStartPreview(uint32_t session, const void *request);
KVNET_API int32_t KvNetStopPreview(uint32_t session, const void *request);
KVNET_API int32_t KvNetQueryParam(uint32_t session, void *request);
KVNET_API int32_t KvNetQueryParamEx(uint32_t session, void *request);
KVNET_API int32_t KvNetQueryDefaultParam(uint32_t session, void *request, int32_t size);
KVNET_API int32_t KvNetQueryDefaultParamEx(uint32_t session, void *request, int32_t size);
KVNET_API int32_t KvNetQueryTemporaryParam(uint32_t session, void *request);
KVNET_API int32_t KvNetSetParam(uint32_t session, const void *request);
KVNET_API int32_t KvNetSetParamEx(uint32_t session, const void *request);
KVNET_API int32_t KvNetStartRemoteUpgrade(uint32_t session, const void *request, KvNetDataFn progress,
                                          void *user);
KVNET_API int32_t KvNetStopRemoteUpgrade(uint32_t session);
KVNET_API uint32_t KvNetStartDownloadRecord(uint32_t session, const void *request, KvNetDataFn progress,
                                            void *user);
KVNET_API uint32_t KvNetStartDownloadRecordEx(uint32_t session, const void *request, KvNetDataFn progress,
                                              void *user);
KVNET_API int32_t KvNetStopDownloadRecord(uint32_t download);
KVNET_API int32_t KvNetAlarmSubscribe(uint32_t session, const void *request);
KVNET_API int32_t KvNetQueryRecord(uint32_t session, const void *request);
KVNET_API int32_t KvNetStartRecordPlay(uint32_t session, const void *request);
KVNET_API int32_t KvNetStopRecordPlay(uint32_t session);
KVNET_API int32_t KvNetReposRecordData(uint32_t session, const void *request);
KVNET_API int32_t KvNetReplayRecordData(uint32_t session);
KVNET_API int32_t KvNetReqRecordPlayCtrol(uint32_t session, const void *request);
KVNET_API int32_t KvNetReqRecordData(uint32_t session);
KVNET_API int32_t KvNetSimpleCmd(uint32_t session, const void *request);
KVNET_API int32_t KvNetQueryLog(uint32_t session, const void *request, KvNetDataFn result, void *user);
KVNET_API int32_t KvNetStartDualtalk(uint32_t session, const void *request);
KVNET_API int32_t KvNetStopDualtalk(uint32_t session);

#ifdef __cplusplus
}
#endif

#endif
