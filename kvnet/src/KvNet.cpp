// A network library without a network: initialisation works so the player
// can start, and every device call reports failure.
#include "kvnet.h"

extern "C" {

int32_t KvNetInit(void) { return 1; }
int32_t KvNetRelease(void) { return 0; }

uint32_t KvNetConnectionStart(const void*) { return 0; }
uint32_t KvNetConnectionStartEx(const void*) { return 0; }
int32_t KvNetConnectionStop(uint32_t) { return KVNET_ERR_UNSUPPORTED; }

int32_t KvNetGetDevInfo(uint32_t, void*) { return 0; }
int32_t KvNetPTZControl(uint32_t, const void*) { return 0; }
int32_t KvNetRemoteTest(uint32_t, const void*) { return 0; }
int32_t KvNetCapture(uint32_t, const void*) { return 0; }

int32_t KvNetStartPreview(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetStopPreview(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetQueryParam(uint32_t, void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetQueryParamEx(uint32_t, void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetQueryDefaultParam(uint32_t, void*, int32_t) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetQueryDefaultParamEx(uint32_t, void*, int32_t) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetQueryTemporaryParam(uint32_t, void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetSetParam(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetSetParamEx(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetStartRemoteUpgrade(uint32_t, const void*, KvNetDataFn, void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetStopRemoteUpgrade(uint32_t) { return KVNET_ERR_UNSUPPORTED; }
uint32_t KvNetStartDownloadRecord(uint32_t, const void*, KvNetDataFn, void*) { return 0; }
uint32_t KvNetStartDownloadRecordEx(uint32_t, const void*, KvNetDataFn, void*) { return 0; }
int32_t KvNetStopDownloadRecord(uint32_t) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetAlarmSubscribe(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetQueryRecord(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetStartRecordPlay(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetStopRecordPlay(uint32_t) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetReposRecordData(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetReplayRecordData(uint32_t) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetReqRecordPlayCtrol(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetReqRecordData(uint32_t) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetSimpleCmd(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetQueryLog(uint32_t, const void*, KvNetDataFn, void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetStartDualtalk(uint32_t, const void*) { return KVNET_ERR_UNSUPPORTED; }
int32_t KvNetStopDualtalk(uint32_t) { return KVNET_ERR_UNSUPPORTED; }

} // extern "C"
