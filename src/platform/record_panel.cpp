#include "platform/record_panel.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "model/game_state.h"
#include "platform/board_view.h"
#include "platform/language.h"

namespace zorvan {

namespace {

// The panel's measures in twips (15 twips are a pixel at the default scale).
constexpr double kCardLeft = BOARD_LEFT - SQUARE_W;  // over the board and both hands, ...
constexpr double kCardW = 14 * SQUARE_W;             // ... leaving the status texts in view
constexpr double kPad = 180;                         // inner margin
constexpr double kRow = 420;         // height of the drive list, a box, a label, the button
constexpr double kGap = 120;         // between neighbouring controls
constexpr double kRowGap = 90;       // between two name boxes
constexpr double kSectionGap = 180;  // between the lists and the name boxes
constexpr double kListH = 2700;      // the folder and file lists, with the name boxes below
constexpr double kTallListH = 3600;  // the same without the name boxes
constexpr double kDriveW = 2700;     // the drive list
constexpr double kLabelW = 1500;     // a name box's label
constexpr double kReturnW = 1800;    // the RETURN button, beside the file name
constexpr double kFont = 195;        // text size
constexpr double kTopLimit = 1500;   // the panel stays below the title
constexpr double kBorder = 30;       // the frame line
constexpr double kRadius = 150;      // the frame's corners

// Labels and object names of the name boxes, top to bottom.
struct BoxInfo {
    const char* name;
    const char* label;
};
constexpr BoxInfo kBoxes[4] = {{"Text2", N_("対 局 名：")},
                               {"Text3", N_("先    手 ：")},
                               {"Text4", N_("後    手 ：")},
                               {"Text1", N_("ﾌｧｲﾙ名 ：")}};

constexpr int kPathRole = Qt::UserRole;

// Where each control goes, in twips relative to the panel's top-left corner.
struct PanelLayout {
    double height = 0;
    QRectF drive, path, dirs, files, labels[4], boxes[4], button;
};

PanelLayout layoutPanel(bool drive, bool dirs, bool files, bool input) {
    PanelLayout l;
    const double innerW = kCardW - 2 * kPad;
    double y = kPad;
    if (drive || dirs) {
        const double pathX = drive ? kPad + kDriveW + kGap : kPad;
        l.drive = QRectF(kPad, y, kDriveW, kRow);
        l.path = QRectF(pathX, y, kCardW - kPad - pathX, kRow);
        y += kRow + kGap;
    }
    if (dirs || files) {
        const double half = (innerW - kGap) / 2;
        const double h = input ? kListH : kTallListH;
        l.dirs = QRectF(kPad, y, files ? half : innerW, h);
        l.files = dirs ? QRectF(kPad + half + kGap, y, half, h) : QRectF(kPad, y, innerW, h);
        y += l.dirs.height() + (input ? kSectionGap : kGap);
    }
    if (input) {
        const double boxX = kPad + kLabelW + kRowGap;
        for (int i = 0; i < 4; ++i) {
            l.labels[i] = QRectF(kPad, y, kLabelW, kRow);
            const double right = i == 3 ? kCardW - kPad - kReturnW - kGap : kCardW - kPad;
            l.boxes[i] = QRectF(boxX, y, right - boxX, kRow);
            y += kRow + kRowGap;
        }
        l.button = QRectF(kCardW - kPad - kReturnW, l.boxes[3].top(), kReturnW, kRow);
        y += kGap - kRowGap;
    }
    l.height = y - kGap + kPad;
    return l;
}

QString fromUtf8(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

RecordPanel::RecordPanel(BoardView& board, Host& host)
    : QFrame(&board), m_board(board), m_host(host), m_folder(QDir::currentPath()) {
    setObjectName(QStringLiteral("RecordPanel"));
    buildWidgets();
    fillPlaces();
    connect(&m_board, &BoardView::resized, this, &RecordPanel::place);
    hide();
    place();
}

void RecordPanel::buildWidgets() {
    QPalette light = palette();
    light.setColor(QPalette::WindowText, Qt::white);

    m_drive = new QComboBox(this);
    m_drive->setObjectName(QStringLiteral("Drive1"));
    connect(m_drive, &QComboBox::activated, this, &RecordPanel::choosePlace);

    m_path = new QLabel(this);
    m_path->setObjectName(QStringLiteral("Dir1Path"));
    m_path->setPalette(light);
    m_path->setTextFormat(Qt::PlainText);

    m_dirs = new QListWidget(this);
    m_dirs->setObjectName(QStringLiteral("Dir1"));
    connect(m_dirs, &QListWidget::itemActivated, this, &RecordPanel::openFolderItem);

    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("File1"));
    connect(m_files, &QListWidget::itemClicked, this, &RecordPanel::clickFileItem);

    for (int i = 0; i < 4; ++i) {
        m_labels[i] = new QLabel(uiText(kBoxes[i].label), this);
        m_labels[i]->setObjectName(QStringLiteral("Label_") + fromUtf8(kBoxes[i].name));
        m_labels[i]->setPalette(light);
        m_boxes[i] = new QLineEdit(this);
        m_boxes[i]->setObjectName(fromUtf8(kBoxes[i].name));
    }
    m_return = new QPushButton(uiText("RETURN"), this);
    m_return->setObjectName(QStringLiteral("Command1"));
    connect(m_return, &QPushButton::clicked, this, &RecordPanel::returnPressed);

    // Enter moves down the boxes; in the file-name box it presses RETURN.
    for (int i = 0; i < 3; ++i)
        connect(m_boxes[i], &QLineEdit::returnPressed, m_boxes[i + 1],
                [next = m_boxes[i + 1]] { next->setFocus(); });
    connect(m_boxes[3], &QLineEdit::returnPressed, m_return, &QPushButton::click);
    for (int i = 0; i < 3; ++i) setTabOrder(m_boxes[i], m_boxes[i + 1]);
    setTabOrder(m_boxes[3], m_return);
}

QLineEdit* RecordPanel::box(const char* name) const {
    for (int i = 0; i < 4; ++i)
        if (qstrcmp(kBoxes[i].name, name) == 0) return m_boxes[i];
    return nullptr;
}

void RecordPanel::setListsVisible(bool drive, bool directory, bool file) {
    const bool wasShown = m_showDrive || m_showDirs || m_showFiles;
    m_showDrive = drive;
    m_showDirs = directory;
    m_showFiles = file;
    if (drive || directory || file) {
        if (!wasShown) {
            if (m_customPlaces)
                showPlaces();
            else
                fillPlaces();
        }
        // The folder may have gone since it was last shown: fall back to the nearest one left.
        QString folder = m_folder;
        while (!canOpenFolder(folder) && !QDir(folder).isRoot())
            folder = QDir::cleanPath(folder + "/..");
        if (canOpenFolder(folder)) m_folder = folder;
        fillFolders();
        fillFiles();
    }
    updateVisibility();
}

void RecordPanel::setInputVisible(bool visible) {
    if (!visible)
        for (QLineEdit* b : m_boxes) b->clear();
    m_showInput = visible;
    updateVisibility();
    if (visible && isVisible()) m_boxes[0]->setFocus();
}

void RecordPanel::updateVisibility() {
    const bool any = m_showDrive || m_showDirs || m_showFiles || m_showInput;
    if (!any && isAncestorOf(window()->focusWidget())) m_board.setFocus();
    m_drive->setVisible(m_showDrive);
    m_path->setVisible(m_showDirs);
    m_dirs->setVisible(m_showDirs);
    m_files->setVisible(m_showFiles);
    for (int i = 0; i < 4; ++i) {
        m_labels[i]->setVisible(m_showInput);
        m_boxes[i]->setVisible(m_showInput);
    }
    m_return->setVisible(m_showInput);
    place();
    setVisible(any);
    if (any) raise();
}

Host::RecordPanel RecordPanel::contents() const {
    Host::RecordPanel c;
    c.folder = m_folder.toStdString();
    c.gameName = m_boxes[0]->text().toStdString();
    c.sente = m_boxes[1]->text().toStdString();
    c.gote = m_boxes[2]->text().toStdString();
    c.fileName = m_boxes[3]->text().toStdString();
    return c;
}

void RecordPanel::refreshFiles() {
    fillFiles();
}

bool RecordPanel::setFolder(const QString& path) {
    const QString folder = QDir::cleanPath(QDir(path).absolutePath());
    if (!canOpenFolder(folder)) return false;
    m_folder = folder;
    fillFolders();
    fillFiles();
    const int at = placeOf(m_places, m_folder);
    if (at >= 0) {
        m_placeShown = at;
        const QSignalBlocker quiet(m_drive);
        m_drive->setCurrentIndex(at);
    }
    return true;
}

void RecordPanel::setPlaces(QList<RecordPlace> places) {
    m_places = std::move(places);
    m_customPlaces = true;
    showPlaces();
}

void RecordPanel::fillPlaces() {
    if (m_customPlaces) return;
    m_places = recordPlaces();
    showPlaces();
}

void RecordPanel::showPlaces() {
    const QSignalBlocker quiet(m_drive);
    m_drive->clear();
    // The icon only once the lists show: reading the style's pictures loads Qt's picture readers,
    // which a game that never opens the record panel need not hold in memory.
    const bool shown = m_showDrive || m_showDirs || m_showFiles;
    const QIcon icon = shown ? style()->standardIcon(QStyle::SP_DriveHDIcon) : QIcon();
    for (const RecordPlace& p : m_places) m_drive->addItem(icon, p.label, p.path);
    m_placeShown = placeOf(m_places, m_folder);
    m_drive->setCurrentIndex(m_placeShown);
}

void RecordPanel::choosePlace(int index) {
    if (index < 0 || index >= m_places.size()) return;
    if (setFolder(m_places[index].path)) {
        m_placeShown = index;
        const QSignalBlocker quiet(m_drive);
        m_drive->setCurrentIndex(index);
        return;
    }
    {
        const QSignalBlocker quiet(m_drive);
        m_drive->setCurrentIndex(m_placeShown);
    }
    m_host.message(zorvan::tr("ﾃﾞﾊﾞｲｽが準備できていません"), zorvan::tr("ｴﾗｰ"));
}

void RecordPanel::fillFolders() {
    m_dirs->clear();
    showPath();
    const QDir dir(m_folder);
    if (!dir.isRoot()) {
        auto* up = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent),
                                       QStringLiteral(".."), m_dirs);
        up->setData(kPathRole, QDir::cleanPath(m_folder + QStringLiteral("/..")));
    }
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    for (const QString& name : subFolders(m_folder)) {
        auto* item = new QListWidgetItem(icon, name, m_dirs);
        item->setData(kPathRole, dir.filePath(name));
    }
}

void RecordPanel::fillFiles() {
    m_files->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    const QDir dir(m_folder);
    for (const QString& name : recordFiles(m_folder)) {
        auto* item = new QListWidgetItem(icon, name, m_files);
        item->setData(kPathRole, dir.filePath(name));
    }
}

void RecordPanel::openFolderItem(QListWidgetItem* item) {
    if (!item) return;
    // Refilling the list deletes the item, so the folder opens once the list's event is over.
    const QString path = item->data(kPathRole).toString();
    QTimer::singleShot(0, this, [this, path] { setFolder(path); });
}

void RecordPanel::clickFileItem(QListWidgetItem* item) {
    if (!item) return;
    const QString path = item->data(kPathRole).toString();
    emit fileChosen(path);
}

void RecordPanel::place() {
    const PanelLayout l = layoutPanel(m_showDrive, m_showDirs, m_showFiles, m_showInput);
    const double centre = BOARD_TOP + 5.5 * SQUARE_H;  // the middle of the nine rows
    const double top = std::clamp(centre - l.height / 2, kTopLimit, WINDOW_H_TWIPS - l.height);
    const QPointF origin(kCardLeft, top);
    auto toPixels = [this](const QRectF& twips) {
        return QRectF(m_board.logicalOf(twips.topLeft()), m_board.logicalOf(twips.bottomRight()))
            .toRect();
    };
    const QRect card = toPixels(QRectF(origin, QSizeF(kCardW, l.height)));
    setGeometry(card);
    auto put = [&](QWidget* w, const QRectF& twips) {
        w->setGeometry(toPixels(twips.translated(origin)).translated(-card.topLeft()));
    };
    put(m_drive, l.drive);
    put(m_path, l.path);
    put(m_dirs, l.dirs);
    put(m_files, l.files);
    for (int i = 0; i < 4; ++i) {
        put(m_labels[i], l.labels[i]);
        put(m_boxes[i], l.boxes[i]);
    }
    put(m_return, l.button);

    QFont f = font();
    const double pixels = m_board.logicalOf(QPointF(kFont, 0)).x();
    f.setPixelSize(std::max(8, static_cast<int>(std::lround(pixels))));
    setFont(f);
    const int iconSize = std::max(8, static_cast<int>(std::lround(pixels * 1.2)));
    m_dirs->setIconSize(QSize(iconSize, iconSize));
    m_files->setIconSize(QSize(iconSize, iconSize));
    m_drive->setIconSize(QSize(iconSize, iconSize));
    showPath();
}

void RecordPanel::showPath() {
    // A long folder path loses its middle, so its start and its end stay in view.
    const QString path = QDir::toNativeSeparators(m_folder);
    m_path->setText(m_path->fontMetrics().elidedText(path, Qt::ElideMiddle, m_path->width()));
    m_path->setToolTip(path);
}

void RecordPanel::paintEvent(QPaintEvent*) {
    // A dark green card with a wooden frame, so the controls stand out over the board.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double line = std::max(1.0, m_board.logicalOf(QPointF(kBorder, 0)).x());
    const double radius = m_board.logicalOf(QPointF(kRadius, 0)).x();
    const QRectF r = QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2);
    p.setPen(QPen(QColor(0xC8, 0x9B, 0x5A), line));
    p.setBrush(QColor(0x12, 0x30, 0x22, 0xF0));
    p.drawRoundedRect(r, radius, radius);
}

}  // namespace zorvan
