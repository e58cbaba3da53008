#include "SnapshotBatch.h"

bool SnapshotBatch::add(const QString& path, bool written)
{
    ++m_done;
    if (written) {
        ++m_written;
        if (path == m_screenPath)
            m_screenWritten = true;
        else if (m_firstWritten.isEmpty())
            m_firstWritten = path;
    }
    return m_done == m_expected;
}

SnapshotBatch::Notice SnapshotBatch::notice() const
{
    if (m_screenWritten)
        return {kLink, m_screenPath};
    if (!m_firstWritten.isEmpty())
        return {kLink, m_firstWritten};
    return {kMessage, QStringLiteral("Capture Failed")};
}
