#include "platform/piece_choice_dialog.h"

#include <QPainter>
#include <cmath>

#include "model/piece.h"
#include "platform/language.h"

namespace zorvan {

namespace {

// The six buttons from top to bottom, with the control names of their arrays.
struct ButtonEntry {
    int kind;
    const char* name;
};
constexpr ButtonEntry kButtons[6] = {{PORN, "PORN"},  {ROOK, "ROOK"}, {KNIG, "NIGT"},
                                     {BISH, "BISYO"}, {QEEN, "QEEN"}, {KING, "KING"}};

constexpr int kButtonTopTwips = 90;
constexpr int kButtonStepTwips = 660;

}  // namespace

PieceButton::PieceButton(int kind, PictureSet& pictures, QWidget* parent)
    : QAbstractButton(parent), m_kind(kind), m_pictures(pictures) {
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void PieceButton::showSet(PieceSet set, bool pressed) {
    m_set = set;
    m_pressed = pressed && set != PieceSet::None;
    setVisible(set != PieceSet::None);
    update();
}

void PieceButton::paintEvent(QPaintEvent*) {
    if (m_set == PieceSet::None) return;
    // White pieces are the lower side's codes, black the upper side's.
    const int code = m_set == PieceSet::White ? -m_kind : m_kind;
    const QImage& img = m_pressed ? m_pictures.pressed(code) : m_pictures.cell(code, 1);
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(rect()), img);
    if (!m_pressed) {  // a raised edge, so it reads as a button
        p.setPen(QColor(255, 255, 255, 150));
        p.drawLine(rect().topLeft(), rect().topRight());
        p.drawLine(rect().topLeft(), rect().bottomLeft());
        p.setPen(QColor(0, 0, 0, 140));
        p.drawLine(rect().bottomLeft(), rect().bottomRight());
        p.drawLine(rect().topRight(), rect().bottomRight());
    }
}

PieceChoiceDialog::PieceChoiceDialog(PictureSet& pictures, std::function<void(double)> wait,
                                     QWidget* parent)
    : QDialog(parent), m_pictures(pictures), m_wait(std::move(wait)) {
    setObjectName("Form2");
    setWindowTitle(uiText(NC_("piece choice", "ZORVAN")));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(92, 60, 30));
    setPalette(pal);

    // Twips to logical pixels at the board's scale.
    const double px = pictures.scale() / devicePixelRatioF();
    auto len = [px](double twips) { return static_cast<int>(std::lround(twips * px)); };
    setFixedSize(len(kWidthTwips), len(kHeightTwips));
    const int left = (kWidthTwips - static_cast<int>(CELL_TWIPS_W)) / 2;
    for (int i = 0; i < 6; ++i) {
        auto* b = new PieceButton(kButtons[i].kind, pictures, this);
        b->setObjectName(QString::fromLatin1(kButtons[i].name));
        b->setGeometry(len(left), len(kButtonTopTwips + i * kButtonStepTwips), len(CELL_TWIPS_W),
                       len(CELL_TWIPS_H));
        connect(b, &QAbstractButton::clicked, this, [this, b] { press(b->set(), b->kind()); });
        m_buttons[static_cast<size_t>(i)] = b;
    }
}

PieceButton* PieceChoiceDialog::button(int kind) const {
    for (PieceButton* b : m_buttons)
        if (b->kind() == kind) return b;
    return nullptr;
}

void PieceChoiceDialog::showSet(PieceSet set) {
    m_shown = set;
    for (PieceButton* b : m_buttons) b->showSet(set, false);
}

void PieceChoiceDialog::press(PieceSet set, int kind) {
    PieceButton* b = button(kind);
    if (!b || set == PieceSet::None || m_pressing) return;
    m_pressing = true;
    b->showSet(set, true);
    repaint();
    if (m_wait) m_wait(0.3);
    for (PieceButton* other : m_buttons)
        if (other != b) other->showSet(PieceSet::None, false);
    m_chosen = kind;
    m_pressing = false;
    done(QDialog::Accepted);
}

}  // namespace zorvan
