#pragma once

// The functions the libraries call on their own threads. They only build
// events and post them to the event target named when the player or
// connection was opened; nothing reaches a target that is gone.

#include "PlayerTypes.h"

#include "kvnet.h"
#include "kvplay.h"

#include <QEvent>

class QFileEvent;

// The picture hooks the library receives, in its own layout.
using ImageHooks = KvPlayImageHooks;

namespace PlayerCallbacks {

// Message callback; context is the PlayContext. Message 1 asks the recorder
// for more data; any other message becomes a type 1005 event. Nothing is
// posted without a context, an event target or a user value.
void onMessage(int32_t message, void* context);

// Picture hooks: allocate makes a type 1009 event holding a picture of
// width x height for the library to fill; ready posts it. A picture wider
// than 700 and lower than 300 lines is stretched to 576 lines.
KvPlayImageBuffer allocatePicture(int32_t width, int32_t height, void* target);
void pictureReady(void* event, uint32_t value, uint32_t reserved, uint32_t extra);

ImageHooks imageHooks(uint32_t flags, uint32_t user, QObject* target);

// Recorder connection reports; user is the connection's record.
void onConnectionStatus(uint32_t session, int32_t code, void* user);
void onConnectionData(uint32_t session, const uint8_t* data, int32_t size, void* user);
// A progress event of type 1007 or 1008. Code 402 takes code, data and extra
// from the progress record; any other code keeps the record's address as
// data and -1 as extra.
QFileEvent* progressEvent(QEvent::Type type, const uint8_t* data, int32_t size, uint32_t user);
// Download progress; user is the DownloadRecord.
void onDownloadProgress(uint32_t session, const uint8_t* data, int32_t size, void* user);
// Two-way talk data; context is the PlayContext. Data that arrives empty
// becomes a type 1011 event with code 350.
void onTalkData(const uint8_t* data, int32_t size, void* context);
// Log query result; user is the event target.
void onLogResult(uint32_t session, const uint8_t* data, int32_t size, void* user);

}
