// The record panel of the main window: the drive, directory and file lists for record files
// ("*.棋譜") and the input panel (game name, the two players, file name and "RETURN") used when a
// record is written. The controls sit on the board view below the board, placed in twips so they
// scale with the window; the game shows and hides them.
#pragma once

#include <QDir>
#include <QObject>
#include <QString>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace zorvan {

class RecordControls : public QObject {
    Q_OBJECT

public:
    // `onBoard` is the board view the controls sit on. `folder` is where the lists start.
    RecordControls(QWidget* onBoard, const QString& folder);

    // Shows or hides the three lists.
    void setListsVisible(bool drive, bool directory, bool file);
    // Shows the input panel, or empties its text boxes and hides it.
    void setInputVisible(bool visible);

    // The folder the directory list shows (the file list's folder).
    QString folder() const { return m_folder; }
    // Shows a folder in the directory and file lists; false when it cannot be read.
    bool setFolder(const QString& path);
    // Re-reads the file list.
    void refreshFiles();

    QString gameName() const;
    QString sente() const;
    QString gote() const;
    QString fileName() const;

    // Places the controls for a scale of the board view (logical pixels per twip).
    void place(double pixelsPerTwip);

signals:
    // A click on a record file in the file list (its full path).
    void fileChosen(const QString& path);
    // The "RETURN" button.
    void returnPressed();
    // The chosen drive is not ready.
    void driveNotReady();

private:
    void fillDrives();
    void driveChanged(int index);
    void fillDirectories();

    QWidget* m_board;
    QString m_folder;
    QComboBox* m_drive;
    QListWidget* m_dir;
    QListWidget* m_file;
    std::array<QLabel*, 4> m_labels{};
    std::array<QLineEdit*, 4> m_texts{};  // Text2, Text3, Text4, Text1 from top to bottom
    QPushButton* m_return;
};

}  // namespace zorvan
