// The record panel over the board: a drive list (`Drive1`: the places a record can be kept), a
// folder list (`Dir1`), a file list of the record files of that folder (`File1`), and the input
// part: four labelled name boxes (`Text2` game name, `Text3` first player, `Text4` second player,
// `Text1` file name) with the "RETURN" button (`Command1`). The game shows and hides the parts;
// the panel reports a chosen file and the button, and answers what it holds.
//
// The panel is placed in twips over the board and scales with it, like everything the game draws.
#pragma once

#include <QFrame>
#include <QList>
#include <QString>

#include "platform/record_places.h"
#include "play/host.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zorvan {

class BoardView;

class RecordPanel : public QFrame {
    Q_OBJECT

public:
    // The panel lies over `board` and shows its messages through `host`. It starts in the
    // current folder.
    RecordPanel(BoardView& board, Host& host);

    // Shows or hides the three lists; a list that is shown reads the disk again.
    void setListsVisible(bool drive, bool directory, bool file);
    // Shows the name boxes and the button, or empties the boxes and hides them.
    void setInputVisible(bool visible);

    // The folder of the folder list and the four boxes (UTF-8).
    Host::RecordPanel contents() const;
    // Reads the file list's folder again.
    void refreshFiles();

    // The folder shown; changing it reads the folder and its record files. Returns false (and
    // changes nothing) when the folder cannot be opened.
    QString folder() const { return m_folder; }
    bool setFolder(const QString& path);

    // The drive list's places (tests put their own in).
    const QList<RecordPlace>& places() const { return m_places; }
    void setPlaces(QList<RecordPlace> places);
    // Chooses a place of the drive list, as the player does: its folder is opened, or, when it
    // cannot be, the device message is shown and the list goes back to the place it showed.
    void choosePlace(int index);

    QComboBox* driveList() const { return m_drive; }
    QListWidget* folderList() const { return m_dirs; }
    QListWidget* fileList() const { return m_files; }
    QLineEdit* box(const char* name) const;  // "Text1" .. "Text4"
    QPushButton* returnButton() const { return m_return; }

signals:
    // A record file was clicked (its full path).
    void fileChosen(const QString& path);
    // The "RETURN" button was pressed.
    void returnPressed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildWidgets();
    void place();  // geometry and fonts from the board's scale and what is shown
    void fillPlaces();
    void showPlaces();
    void showPath();
    void fillFolders();
    void fillFiles();
    void updateVisibility();
    void openFolderItem(QListWidgetItem* item);
    void clickFileItem(QListWidgetItem* item);

    BoardView& m_board;
    Host& m_host;
    QList<RecordPlace> m_places;
    bool m_customPlaces = false;
    int m_placeShown = -1;
    QString m_folder;
    bool m_showDrive = false;
    bool m_showDirs = false;
    bool m_showFiles = false;
    bool m_showInput = false;

    QComboBox* m_drive = nullptr;
    QLabel* m_path = nullptr;
    QListWidget* m_dirs = nullptr;
    QListWidget* m_files = nullptr;
    QLabel* m_labels[4] = {};
    QLineEdit* m_boxes[4] = {};  // top to bottom: Text2, Text3, Text4, Text1
    QPushButton* m_return = nullptr;
};

}  // namespace zorvan
