#include "RecordPlayList.h"

RecordPlayList::RecordPlayList(QWidget* parent)
    : QScrollArea(parent)
{
}
