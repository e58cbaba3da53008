// QKvWin's recorder operations. The player uses none of them and this build
// has no recorder access, so each one answers at once with its failure value:
// no handle or context, 1 for a status, false for a yes-no answer, and 0 from
// the operations whose success value is 1.
#include "QKvWin.h"

namespace {

constexpr int32_t kRefused = 1;

}

uint32_t QKvWin::ConnectionStart(const void*, QObject*, ConnectionStatusHandler)
{
    return 0;
}

uint32_t QKvWin::ConnectionStartEx(const void*, QObject*, ConnectionStatusHandler)
{
    return 0;
}

int32_t QKvWin::ConnectionStop(uint32_t)
{
    return kRefused;
}

int32_t QKvWin::GetDevInfo(uint32_t, void*)
{
    return kRefused;
}

PlayContext* QKvWin::StartPreview(uint32_t, const PlayWindowParam*, StreamParam*)
{
    return nullptr;
}

int32_t QKvWin::StopPreview(PlayContext*)
{
    return kRefused;
}

int32_t QKvWin::PTZControl(uint32_t, const void*)
{
    return kRefused;
}

int32_t QKvWin::QueryParam(uint32_t, void*)
{
    return kRefused;
}

int32_t QKvWin::QueryParamEx(uint32_t, void*)
{
    return kRefused;
}

int32_t QKvWin::QueryDefaultParam(uint32_t, void*)
{
    return kRefused;
}

int32_t QKvWin::QueryDefaultParamEx(uint32_t, void*)
{
    return kRefused;
}

int32_t QKvWin::QueryTemporaryParam(uint32_t, void*)
{
    return kRefused;
}

int32_t QKvWin::SetParam(uint32_t, const void*)
{
    return kRefused;
}

int32_t QKvWin::SetParamEx(uint32_t, const void*)
{
    return kRefused;
}

int32_t QKvWin::StartRemoteTest(uint32_t, uint16_t, const void*, RemoteTestHandler, void*)
{
    return kRefused;
}

void QKvWin::ClearRemoteTestHandler(uint16_t) {}

bool QKvWin::SetRemoteTestHandler(uint16_t, RemoteTestHandler, void*)
{
    return false;
}

int32_t QKvWin::StartRemoteUpgrade(uint32_t, const void*, UpgradeProgressHandler, QObject*)
{
    return kRefused;
}

int32_t QKvWin::StopRemoteUpgrade(uint32_t)
{
    return kRefused;
}

DownloadRecord* QKvWin::StartDownloadRecord(uint32_t, const void*, QObject*, uint32_t)
{
    return nullptr;
}

DownloadRecord* QKvWin::StartDownloadRecordEx(uint32_t, const void*, QObject*, uint32_t)
{
    return nullptr;
}

int32_t QKvWin::StopDownloadRecord(DownloadRecord*)
{
    return kRefused;
}

int32_t QKvWin::AlarmSubscribe(uint32_t, const void*)
{
    return kRefused;
}

int32_t QKvWin::NetCapture(uint32_t, const void*)
{
    return 0;
}

int32_t QKvWin::QueryRecord(uint32_t, const void*)
{
    return kRefused;
}

PlayContext* QKvWin::StartRecordPlay(uint32_t, const PlayWindowParam*, StreamParam*)
{
    return nullptr;
}

int32_t QKvWin::StopRecordPlay(PlayContext*)
{
    return kRefused;
}

int32_t QKvWin::ReposRecordPlay(PlayContext*, const void*)
{
    return kRefused;
}

int32_t QKvWin::RecordPlayControl(uint32_t, const void*)
{
    return kRefused;
}

PlayContext* QKvWin::StartDualTalk(uint32_t, StreamParam*)
{
    return nullptr;
}

int32_t QKvWin::StopDualTalk(PlayContext*)
{
    return kRefused;
}

int32_t QKvWin::SimpleCmd(uint32_t, int32_t, int32_t, int32_t, int32_t)
{
    return kRefused;
}

bool QKvWin::QueryLog(uint32_t, const void*, QObject*)
{
    return false;
}
