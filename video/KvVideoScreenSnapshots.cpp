// The snapshot of every window at one instant.

#include "KvVideoScreen.h"

#include "OutputNaming.h"
#include "PreviewVideoFrame.h"
#include "SnapshotBatch.h"

#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <QSaveFile>
#include <QThreadPool>

#include <memory>

namespace {

// The base name of the screen picture, which has no file of its own.
const QString kScreenName = QStringLiteral("screen");

// Written under another name and renamed once complete, as the windows'
// pictures are: whoever opens the folder never finds half a picture.
bool saveWhole(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

}

void KvVideoScreen::snapshotAll()
{
    QList<PreviewVideoFrame*> taken;
    for (PreviewVideoFrame* window : m_windows) {
        if (window->isVisible() && window->isOpen())
            taken.append(window);
    }
    if (taken.isEmpty())
        return;
    // Held until each is written, so that every picture, the screen's too,
    // shows the same instant.
    for (PreviewVideoFrame* window : taken)
        window->freeze(true);
    OutputNaming& naming = OutputNaming::instance();
    const QString screenPath = naming.SnapshotFileName(kScreenName);
    if (naming.folderSettingEmpty())
        emit noticeRequested(SnapshotBatch::kMessage, QStringLiteral("dir is Empty"));
    auto batch = std::make_shared<SnapshotBatch>(static_cast<int>(taken.size()) + 1);
    batch->setScreenPath(screenPath);
    const auto finish = [this, batch](const QString& path, bool written) {
        if (!batch->add(path, written))
            return;
        const SnapshotBatch::Notice notice = batch->notice();
        emit noticeRequested(notice.kind, notice.text);
    };
    const QImage screen = grab().toImage();
    for (PreviewVideoFrame* window : taken) {
        const QString path = naming.SnapshotFileName(window->currentFile());
        window->capture(path, [window, path, finish](bool written) {
            window->freeze(false);
            finish(path, written);
        });
    }
    QThreadPool::globalInstance()->start([screen, screenPath, screenWidget = QPointer<KvVideoScreen>(this), finish] {
        const bool written = !screenPath.isEmpty() && saveWhole(screen, screenPath);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [screenWidget, finish, screenPath, written] {
                if (screenWidget)
                    finish(screenPath, written);
            },
            Qt::QueuedConnection);
    });
}
