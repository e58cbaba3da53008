#include "Model_MsgHelper.h"

#include "Widget_Popup.h"

#include <QGuiApplication>
#include <QScreen>

#include <memory>

namespace {

Model_MsgHelper* g_instance = nullptr;

}

Model_MsgHelper::Model_MsgHelper(QObject* parent)
    : QObject(parent)
{
    g_instance = this;
}

Model_MsgHelper::~Model_MsgHelper()
{
    if (g_instance == this)
        g_instance = nullptr;
}

Model_MsgHelper* Model_MsgHelper::instance()
{
    return g_instance;
}

Widget_Popup* Model_MsgHelper::ShowPopup(const QString& text, int kind)
{
    if (text.isEmpty())
        return nullptr;
    auto popup = std::make_unique<Widget_Popup>();
    if (!popup->SetContent(text, kind))
        return nullptr;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        popup->move(area.x() + area.width() - popup->width() - 1, area.y() + area.height() - popup->height());
    }
    popup->show();
    return popup.release();
}

Widget_Popup* Model_MsgHelper::ShowMessage(const QString& text)
{
    return ShowPopup(text, Widget_Popup::kMessage);
}
