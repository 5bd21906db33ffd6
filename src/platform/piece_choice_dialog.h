// The chess piece choice dialog ("ZORVAN", the second form): six picture buttons, pawn, rook,
// knight, bishop, queen and king, in the colour of the player promoting. A press lights the
// button for a moment and closes the dialog; the computer's promotion shows the same dialog and
// presses the button itself.
#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <array>
#include <functional>

#include "platform/picture_set.h"
#include "play/host.h"

namespace zorvan {

// One picture button: shows the white or the black piece of its kind, lit while pressed.
class PieceButton : public QAbstractButton {
    Q_OBJECT

public:
    PieceButton(int kind, PictureSet& pictures, QWidget* parent);
    int kind() const { return m_kind; }
    // Which set the button shows (None hides it) and whether it shows its pressed picture.
    void showSet(PieceSet set, bool pressed);
    PieceSet set() const { return m_set; }
    bool showsPressed() const { return m_pressed; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_kind;
    PictureSet& m_pictures;
    PieceSet m_set = PieceSet::None;
    bool m_pressed = false;
};

class PieceChoiceDialog : public QDialog {
    Q_OBJECT

public:
    // `pictures` is the board's picture set (its scale decides the dialog's size); `wait` waits
    // while the windows keep painting.
    PieceChoiceDialog(PictureSet& pictures, std::function<void(double)> wait, QWidget* parent);

    // Shows the buttons of one set (None: no buttons).
    void showSet(PieceSet set);

    // Presses the button of `kind` as a press of the set `set` would: lights it, waits 0.3
    // seconds, hides the buttons and closes with that kind as the result.
    void press(PieceSet set, int kind);

    // The kind chosen (PORN .. KING), or 0 when the dialog closed without a press.
    int chosenKind() const { return m_chosen; }

    PieceButton* button(int kind) const;

    // Size and button places in twips.
    static constexpr int kWidthTwips = 1680;
    static constexpr int kHeightTwips = 4095;

private:
    PictureSet& m_pictures;
    std::function<void(double)> m_wait;
    std::array<PieceButton*, 6> m_buttons{};
    PieceSet m_shown = PieceSet::None;
    int m_chosen = 0;
    bool m_pressing = false;
};

}  // namespace zorvan
