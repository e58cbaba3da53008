#include "PlayerRecords.h"

#include <cstring>

namespace {

constexpr uint32_t kCaptureFormat = 256;

}

namespace PlayerRecords {

bool copyPath(char* field, size_t size, const QByteArray& text)
{
    if (size == 0)
        return false;
    const auto length = static_cast<size_t>(text.size());
    if (length >= size) {
        std::memset(field, 0, size);
        return false;
    }
    std::memcpy(field, text.constData(), length);
    field[length] = '\0';
    return true;
}

bool pathFits(const QString& path)
{
    return static_cast<size_t>(path.toUtf8().size()) <= kMaxPathBytes;
}

int32_t clipKind(const QString& clipPath)
{
    const qsizetype dot = clipPath.lastIndexOf(u'.');
    if (dot < 0)
        return ClipKindSource;
    const QString extension = clipPath.mid(dot + 1);
    if (extension == u"rf" || extension == u"264" || extension == u"265" || extension == u"lf")
        return ClipKindRaw;
    if (extension == u"avi")
        return ClipKindAvi;
    if (extension == u"mp4")
        return ClipKindMp4;
    return ClipKindSource;
}

ClipRequest clipRequest(const QString& clipPath, const QString& picturePath)
{
    ClipRequest request{};
    request.kind = clipKind(clipPath);
    copyPath(request.clip_path, sizeof request.clip_path, clipPath.toUtf8());
    copyPath(request.picture_path, sizeof request.picture_path, picturePath.toUtf8());
    return request;
}

CaptureRequest captureRequest(const QString& picturePath, uint32_t user)
{
    CaptureRequest request{};
    request.user = user;
    copyPath(request.record.path, sizeof request.record.path, picturePath.toUtf8());
    request.record.format = kCaptureFormat;
    return request;
}

FileInfoRecord fileInfoRecord(const QString& path)
{
    FileInfoRecord record{};
    copyPath(record.path, sizeof record.path, path.toUtf8());
    return record;
}

}
