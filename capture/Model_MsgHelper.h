#pragma once

#include <QObject>
#include <QString>

class Widget_Popup;

// Shows short notices in the lower right corner of the desktop: the result of
// a snapshot or a clip, or a one-line message. One instance, made by the main
// window and reachable from anywhere on the GUI thread while it lives.
class Model_MsgHelper : public QObject
{
    Q_OBJECT

public:
    explicit Model_MsgHelper(QObject* parent = nullptr);
    ~Model_MsgHelper() override;

    // The live instance, or null before the main window made it.
    static Model_MsgHelper* instance();

    // A new notice for each call, all at the same place. Null, showing
    // nothing, for an empty text or an unknown kind; the notice deletes
    // itself when it closes.
    Widget_Popup* ShowPopup(const QString& text, int kind);
    Widget_Popup* ShowMessage(const QString& text);
};
