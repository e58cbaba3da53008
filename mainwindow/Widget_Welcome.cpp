#include "Widget_Welcome.h"

#include "Model_Customize.h"
#include "PlaybackRules.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

Widget_Welcome::Widget_Welcome(QWidget* parent)
    : QWidget(parent)
{
    setAcceptDrops(true);
}

void Widget_Welcome::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void Widget_Welcome::dropEvent(QDropEvent* event)
{
    const QString file = PlaybackRules::droppedFile(*event->mimeData());
    if (!file.isEmpty() && PlaybackRules::acceptsDrop(file, Model_Customize::instance()))
        emit DropFileToWelcome(file);
}
