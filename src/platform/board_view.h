// The board view: the window's drawing surface. The game paints on it in twips through the
// Canvas port; the view keeps an off-screen picture at the window's scale and the screen's device
// pixel ratio, shows it, and turns mouse presses back into twips.
//
// The picture covers 9600 x 10500 twips at 15 twips a logical pixel (640 x 700) by default and is
// scaled uniformly with the window, anchored at the top left, so the board keeps its shape; extra
// room on the right or below shows more of the background, at any shape of the window. Everything
// painted is kept in a display list and painted again when the scale changes.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "platform/display_list.h"
#include "platform/picture_set.h"
#include "ui/canvas.h"

namespace zorvan {

class BoardView : public QWidget, public Canvas {
    Q_OBJECT

public:
    explicit BoardView(QWidget* parent = nullptr);

    // Canvas port.
    void picture(int picture, int shade, double c, double r) override;
    void outline(int colour, double c, double r) override;
    void text(double c, double r, std::string_view text, int colour, int size) override;
    void refresh() override;

    // Text in a palette colour with its top-left corner at a point in twips; size in points.
    void textAt(double x, double y, const QString& text, int colour, double size, bool bold);
    // The same at a grid position.
    void textAtCell(double c, double r, const QString& text, int colour, double size, bool bold);

    // Forgets everything painted (the view shows the window colour until painted again).
    void clearAll();

    // Logical pixels per default pixel (1.0 at 640 x 700).
    double zoom() const;
    // Device pixels per twip of the off-screen picture.
    double devicePixelsPerTwip() const { return m_pictures.scale(); }
    QPointF twipsOf(const QPointF& logicalPos) const;
    QPointF logicalOf(const QPointF& twips) const;

    // The off-screen picture, brought up to date (device pixels).
    const QImage& image();
    // Colour of the off-screen picture at a point in twips.
    QColor colourAtTwips(double x, double y);

    PictureSet& pictures() { return m_pictures; }
    const DisplayList& displayList() const { return m_list; }

    QSize sizeHint() const override { return {640, 700}; }
    QSize minimumSizeHint() const override { return {320, 350}; }

signals:
    // A mouse press: button 1 (left) or 2 (right), position in twips.
    void pressed(int button, double x, double y);
    // The view's size (and so its scale) changed.
    void resized();
    // The view has been painted (its picture is on its way to the screen).
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void add(PaintOp op);
    void flush();            // paints the entries not yet on the off-screen picture
    void rebuildIfNeeded();  // a new off-screen picture when the size or pixel ratio changed
    void groundImage();      // the current background over the whole off-screen picture
    void paintOp(QPainter& p, const PaintOp& op);

    PictureSet m_pictures;
    DisplayList m_list;
    size_t m_painted = 0;  // entries of m_list already on m_image
    QImage m_image;
    QSize m_imageSize;  // logical size the image was made for
    double m_imageZoom = 1.0;
    double m_dpr = 0;
    QTimer m_settle;       // while a resize goes on, the old picture is shown scaled
    int m_background = 0;  // the background tile last painted (0: none yet)
};

}  // namespace zorvan
