// What has been painted on the board view since it was created, in twips, so the view can paint
// it again at any scale (a resize, a screen with another pixel ratio) exactly as the game left it.
// Entries hidden under later opaque cell pictures are dropped when the list grows, so its length
// stays bounded however long the program runs.
#pragma once

#include <QRectF>
#include <QString>
#include <vector>

namespace zorvan {

struct PaintOp {
    enum class Kind { Picture, Outline, Text };
    Kind kind = Kind::Picture;
    int picture = 0;      // Picture: code or identifier
    int shade = 0;        // Picture: square shade
    int colour = 0;       // Outline, Text: palette colour
    double size = 0;      // Text: font size in points
    bool bold = false;    // Text
    double c = 0, r = 0;  // Picture, Outline: grid cell
    double x = 0, y = 0;  // top-left in twips
    QString text;         // Text
    QRectF bounds;        // twips the entry may touch
};

class DisplayList {
public:
    void add(PaintOp op) {
        // Grown by a quarter at a time rather than doubled: the list lives as long as the
        // program, and a doubled one would hold up to as much room again unused.
        if (m_ops.size() == m_ops.capacity()) m_ops.reserve(m_ops.size() + m_ops.size() / 4 + 64);
        m_ops.push_back(std::move(op));
    }
    const std::vector<PaintOp>& ops() const { return m_ops; }
    void clear() { m_ops.clear(); }

    // True when the list has grown long enough to be compacted.
    bool wantsCompaction() const { return m_ops.size() >= m_limit; }

    // Drops every entry that later opaque cell pictures cover completely, and every outline of
    // a cell that is outlined again later.
    void compact();

    static constexpr size_t kCompactAt = 6000;

private:
    std::vector<PaintOp> m_ops;
    size_t m_limit = kCompactAt;  // compact again when the list reaches this length
};

// True when an entry is an opaque picture filling exactly one whole grid cell.
bool coversWholeCell(const PaintOp& op);

}  // namespace zorvan
