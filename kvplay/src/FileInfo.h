// Fills the file information record from a file's metadata tags.
#pragma once

#include "kvplay.h"

struct AVFormatContext;

namespace kvplay {

// KV_OK, or KV_ERR_OPEN when the file named in the record cannot be opened.
int fillFileInfo(KvPlayFileInfo& record);

// The tag part alone: looks in the container's tags, then in the streams'.
void readInfoTags(const AVFormatContext& fmt, KvPlayFileInfo& record);

} // namespace kvplay
