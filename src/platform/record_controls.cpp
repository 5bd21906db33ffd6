#include "platform/record_controls.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <cmath>

#include "platform/fonts.h"

namespace zorvan {

namespace {

// Places in twips on the board view: the lists and the input panel fill the free area below
// the board; the file list and the input panel share the right half (one shows at a time).
constexpr QRect kDrive(1545, 7720, 2150, 330);
constexpr QRect kDir(1545, 8110, 2150, 2230);
constexpr QRect kFile(3800, 7720, 2200, 2620);
constexpr int kLabelW = 950;
constexpr int kRowH = 360;
constexpr int kRowStep = 430;
constexpr QRect kReturn(4700, 9520, 1300, 420);

const char* const kLabelTexts[4] = {"対 局 名：", "先    手 ：", "後    手 ：", "ﾌｧｲﾙ名 ："};
const char* const kTextNames[4] = {"Text2", "Text3", "Text4", "Text1"};

constexpr int kRoleFolder = Qt::UserRole + 1;

// Cream paper and dark wood, to sit well on every background.
const char* const kStyle =
    "QListWidget, QComboBox, QLineEdit { background: #f7ecd0; color: #2a1a08;"
    " border: 1px solid #6b4420; selection-background-color: #d9a441;"
    " selection-color: #1a1006; }"
    "QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f0d49a,"
    " stop:1 #b8874a); color: #2a1a08; border: 1px solid #6b4420; border-radius: 3px;"
    " font-weight: bold; }"
    "QPushButton:pressed { background: #b8874a; }";

QRect scaled(const QRect& twips, double px) {
    auto len = [px](int t) { return static_cast<int>(std::lround(t * px)); };
    return QRect(len(twips.x()), len(twips.y()), len(twips.width()), len(twips.height()));
}

}  // namespace

RecordControls::RecordControls(QWidget* onBoard, const QString& folder)
    : QObject(onBoard),
      m_board(onBoard),
      m_drive(new QComboBox(onBoard)),
      m_dir(new QListWidget(onBoard)),
      m_file(new QListWidget(onBoard)),
      m_return(new QPushButton(QStringLiteral("RETURN"), onBoard)) {
    m_drive->setObjectName("Drive1");
    m_dir->setObjectName("Dir1");
    m_file->setObjectName("File1");
    m_return->setObjectName("Command1");
    for (QWidget* w : std::initializer_list<QWidget*>{m_drive, m_dir, m_file, m_return})
        w->setStyleSheet(QString::fromLatin1(kStyle));
    for (int i = 0; i < 4; ++i) {
        m_labels[size_t(i)] = new QLabel(QString::fromUtf8(kLabelTexts[i]), onBoard);
        m_labels[size_t(i)]->setStyleSheet("color: white;");
        auto* shadow = new QGraphicsDropShadowEffect(m_labels[size_t(i)]);
        shadow->setColor(Qt::black);
        shadow->setOffset(1, 1);
        shadow->setBlurRadius(0);
        m_labels[size_t(i)]->setGraphicsEffect(shadow);
        m_texts[size_t(i)] = new QLineEdit(onBoard);
        m_texts[size_t(i)]->setObjectName(QString::fromLatin1(kTextNames[i]));
        m_texts[size_t(i)]->setStyleSheet(QString::fromLatin1(kStyle));
    }
    fillDrives();
    setFolder(QDir(folder).absolutePath());
    connect(m_drive, &QComboBox::activated, this, &RecordControls::driveChanged);
    // The directory list opens a folder on a double click, as a folder list does.
    connect(m_dir, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setFolder(item->data(kRoleFolder).toString()); });
    connect(m_file, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        emit fileChosen(QDir(m_folder).filePath(item->text()));
    });
    connect(m_return, &QPushButton::clicked, this, &RecordControls::returnPressed);
    setListsVisible(false, false, false);
    setInputVisible(false);
}

void RecordControls::fillDrives() {
    m_drive->clear();
    QStringList roots{QDir::rootPath(), QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && !roots.contains(volume.rootPath())) roots << volume.rootPath();
    for (const QString& root : roots) m_drive->addItem(root, root);
}

void RecordControls::driveChanged(int index) {
    const QString root = m_drive->itemData(index).toString();
    const QStorageInfo volume(root);
    if (!volume.isReady() || !setFolder(root)) emit driveNotReady();
}

bool RecordControls::setFolder(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable()) return false;
    m_folder = info.absoluteFilePath();
    fillDirectories();
    refreshFiles();
    return true;
}

void RecordControls::fillDirectories() {
    // The open folders from the root down, then the folders inside the current one.
    m_dir->clear();
    QStringList chain;
    for (QDir d(m_folder);;) {
        chain.prepend(d.absolutePath());
        if (!d.cdUp()) break;
    }
    int depth = 0;
    for (const QString& path : chain) {
        const QString name = depth == 0 ? path : QDir(path).dirName();
        auto* item = new QListWidgetItem(QString(depth, QChar(' ')) + name, m_dir);
        item->setData(kRoleFolder, path);
        if (path == m_folder) m_dir->setCurrentItem(item);
        ++depth;
    }
    const QStringList children =
        QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(QString(depth, QChar(' ')) + child, m_dir);
        item->setData(kRoleFolder, QDir(m_folder).filePath(child));
    }
}

void RecordControls::refreshFiles() {
    m_file->clear();
    m_file->addItems(QDir(m_folder).entryList({QStringLiteral("*.棋譜")}, QDir::Files,
                                              QDir::Name | QDir::IgnoreCase));
}

void RecordControls::setListsVisible(bool drive, bool directory, bool file) {
    m_drive->setVisible(drive);
    m_dir->setVisible(directory);
    m_file->setVisible(file);
}

void RecordControls::setInputVisible(bool visible) {
    for (QLabel* l : m_labels) l->setVisible(visible);
    for (QLineEdit* t : m_texts) {
        if (!visible) t->clear();
        t->setVisible(visible);
    }
    m_return->setVisible(visible);
}

QString RecordControls::gameName() const {
    return m_texts[0]->text();
}
QString RecordControls::sente() const {
    return m_texts[1]->text();
}
QString RecordControls::gote() const {
    return m_texts[2]->text();
}
QString RecordControls::fileName() const {
    return m_texts[3]->text();
}

void RecordControls::place(double px) {
    QFont font = textFont(13 * px * 15, false);
    for (QWidget* w : std::initializer_list<QWidget*>{m_drive, m_dir, m_file, m_return})
        w->setFont(font);
    m_drive->setGeometry(scaled(kDrive, px));
    m_dir->setGeometry(scaled(kDir, px));
    m_file->setGeometry(scaled(kFile, px));
    for (int i = 0; i < 4; ++i) {
        const int y = kFile.y() + i * kRowStep;
        m_labels[size_t(i)]->setFont(textFont(12 * px * 15, true));
        m_labels[size_t(i)]->setGeometry(scaled(QRect(kFile.x(), y, kLabelW, kRowH), px));
        m_texts[size_t(i)]->setFont(font);
        m_texts[size_t(i)]->setGeometry(
            scaled(QRect(kFile.x() + kLabelW, y, kFile.width() - kLabelW, kRowH), px));
    }
    m_return->setGeometry(scaled(kReturn, px));
}

}  // namespace zorvan
