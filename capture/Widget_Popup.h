#pragma once

#include "FolderOpener.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

class Picture_label;
class QTimer;
class QVBoxLayout;

// One notice: a small frameless window that shows a message, or a link to a
// new snapshot or clip, and closes itself three seconds after it was filled,
// or after the pointer left it.
class Widget_Popup : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMessage = 0;
    static constexpr int kPicture = 1;
    static constexpr int kClip = 2;
    static constexpr int kLink = 3;
    static constexpr int kCloseAfterMs = 3000;

    Widget_Popup();

    // Kinds 1 to 3 show the path as a link, cut at the right to fit; 0 shows
    // the text as it is. False, starting nothing, for any other kind.
    bool SetContent(const QString& text, int kind);
    // Replaces the way a click on the link reaches the file manager.
    void setFolderOpener(const FolderOpener& opener) { m_folderOpener = opener; }

    QString text() const;
    int kind() const { return m_kind; }
    QString path() const { return m_path; }
    QSize sizeHint() const override;

public slots:
    void closeResponse();
    // Shows the file in its folder, selected.
    void openFolder();
    // Opens a snapshot with the desktop's picture viewer.
    void openFile();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QVBoxLayout* m_layout = nullptr;
    QTimer* m_closeTimer = nullptr;
    Picture_label* m_pictureLabel = nullptr;
    Picture_label* m_textLabel = nullptr;
    QPixmap m_picture;
    int m_kind = 0;
    QString m_path;
    FolderOpener m_folderOpener;
};
