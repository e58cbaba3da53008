#pragma once

#include <QFrame>
#include <QPoint>
#include <QString>
#include <QStringList>

class QLabel;
class QListWidgetItem;
class QToolButton;

// One entry of the play list view: icon, file name, length and size of one
// recording, highlighted while selected, with a delete button under the mouse
// and a bar behind it that shows how far the file has been played. Presses,
// double clicks and the delete button go to the container as signals that
// carry the entry's index.
class Widget_Record_Item_TitleBar : public QFrame
{
    Q_OBJECT

public:
    // Becomes a child of container. The length is not known yet: it arrives
    // through setLength once the file has been measured.
    Widget_Record_Item_TitleBar(const QString& path, QWidget* container, int index);

    QString fileName() const { return m_fileName; }
    QString fullPath() const { return m_fullPath; }
    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    // "HH:MM:SS", or empty while the length is not known or the file is invalid.
    QString totalLength() const { return m_totalLength; }
    bool fileInvalid() const { return m_fileInvalid; }
    bool lengthKnown() const { return m_lengthKnown; }

    // Play positions ("HH:MM:SS") of the video windows now playing this file.
    void setPlayTimes(const QStringList& times) { m_playTimes = times; }
    const QStringList& playTimes() const { return m_playTimes; }

    // seconds < 0: the playback library could not open the file.
    void setLength(qint64 seconds);
    void setSelected(bool selected);
    bool isSelected() const;
    // Shows the furthest play position in the length label and repaints the
    // progress bar.
    void showPlayProgress();

signals:
    // Pressed with any button: the container makes this entry the selected one.
    void selectRequested(int index);
    void deleteRequested(int index);
    // A left double click.
    void doubleClicked(int index);

public slots:
    void itemClickedResponse(QListWidgetItem* item);
    void OnDeleteBtnClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildWidgets();
    void showTexts();
    void startDrag();

    QToolButton* m_pBtnDelete = nullptr;
    QLabel* m_pLabFileName = nullptr;
    QString m_fileName;
    QString m_fullPath;
    QString m_totalLength;
    int m_index = 0;
    QStringList m_playTimes;
    QLabel* m_pLabIcon = nullptr;
    QLabel* m_pLabFileLength = nullptr;
    QLabel* m_pLabFileSize = nullptr;
    QPoint m_dragStart;
    bool m_fileInvalid = false;
    bool m_lengthKnown = false;
    // Whether the last refresh found the file playing.
    bool m_barShown = false;
};
