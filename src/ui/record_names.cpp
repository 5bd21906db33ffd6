// A loaded record's names around the board: the upper side's player above the board, right of
// the move text; the lower side's player on the row below the board, between the two clocks; the
// game's name on the row below that. Each is placed where the record display centres it, kept
// inside a band of its own and cut short with "…" where it would leave it, so that no name ever
// lies over a clock, a caption or a move text, and the eraser of the bands takes all of them.
#include <algorithm>

#include "records/record_file.h"
#include "ui/drawing.h"

namespace zorvan {

namespace {

constexpr int kNameSize = 12;  // points

// The bands, in grid cells: columns [left, right) of one row, and the row the text starts at
// (high enough in its row that the text stays inside it).
struct NameBand {
    double left, right;
    int row;
    double textRow;
};
constexpr NameBand kUpperBand = {4, 11, -2, -1.7};
constexpr NameBand kLowerBand = {1, 11, 10, 10.2};
constexpr NameBand kGameBand = {1, 11, 11, 11.2};

// Room kept free at both ends of a band.
constexpr double kMargin = 0.1;

constexpr std::string_view kEllipsis = "…";

// Length of the UTF-8 sequence starting with byte `b` (1 for a byte that starts none).
size_t sequenceLength(unsigned char b) {
    if (b >= 0xF0 && b < 0xF8) return 4;
    if (b >= 0xE0) return b < 0xF0 ? 3 : 1;
    if (b >= 0xC0) return 2;
    return 1;
}

// The widest a character may print, in cells: a half-width katakana at most 0.6 em, anything
// else at most an em, with a tenth more for the font's pixel size being rounded up at small
// scales of the window.
double widthOf(std::string_view character) {
    const double em = kNameSize * 20.0 * 1.1 / SQUARE_W;
    // U+FF61..U+FF9F: EF BD A1 .. EF BE 9F.
    const auto* b = reinterpret_cast<const unsigned char*>(character.data());
    const bool halfWidth = character.size() == 3 && b[0] == 0xEF &&
                           ((b[1] == 0xBD && b[2] >= 0xA1) || (b[1] == 0xBE && b[2] <= 0x9F));
    return halfWidth ? 0.6 * em : em;
}

// True when the text at `at` starts with a half-width voiced or semi-voiced sound mark, which
// belongs to the kana before it.
bool startsWithSoundMark(std::string_view text, size_t at) {
    const std::string_view rest = text.substr(at);
    return rest.starts_with("ﾞ") || rest.starts_with("ﾟ");
}

// The text, or as much of it as fits in `room` cells followed by "…" (never parting a kana from
// its sound mark); its width in `width`.
std::string fitted(std::string_view text, double room, double& width) {
    const double ellipsis = widthOf(kEllipsis);
    width = 0;
    size_t end = 0;       // bytes of the text that fit
    size_t cutEnd = 0;    // bytes that fit with the ellipsis after them
    double cutWidth = 0;  // their width
    while (end < text.size()) {
        const size_t n =
            std::min(sequenceLength(static_cast<unsigned char>(text[end])), text.size() - end);
        const double w = widthOf(text.substr(end, n));
        if (width + w > room) {
            width = cutWidth + ellipsis;
            return std::string(text.substr(0, cutEnd)) + std::string(kEllipsis);
        }
        width += w;
        end += n;
        if (width + ellipsis <= room && !startsWithSoundMark(text, end)) {
            cutEnd = end;
            cutWidth = width;
        }
    }
    return std::string(text);
}

}  // namespace

void Drawing::showRecordNames(std::string_view gameName, std::string_view upper,
                              std::string_view lower) {
    m_recordNames = {std::string(gameName), std::string(upper), std::string(lower)};
    m_recordNamesShown = true;
    drawRecordNames();
}

void Drawing::drawRecordNames() {
    const struct {
        const NameBand& band;
        const std::string& text;
        int colour;
    } names[] = {{kGameBand, m_recordNames[0], COLOR_PICK},
                 {kUpperBand, m_recordNames[1], COLOR_WHITE},
                 {kLowerBand, m_recordNames[2], COLOR_WHITE}};
    for (const auto& n : names) {
        if (n.text.empty()) continue;
        const double left = n.band.left + kMargin;
        const double right = n.band.right - kMargin;
        double width = 0;
        const std::string shown = fitted(n.text, right - left, width);
        const double centred = (取得_棋譜のX座標(n.text) - BOARD_LEFT) / SQUARE_W;
        const double x = std::clamp(centred, left, std::max(left, right - width));
        描画_移動駒種類(x, n.band.textRow, shown, n.colour);
    }
}

void Drawing::eraseRecordNameBands() {
    m_recordNamesShown = false;
    for (const NameBand& band : {kUpperBand, kLowerBand, kGameBand})
        for (int x = static_cast<int>(band.left); x < static_cast<int>(band.right); ++x)
            // The row below the board shows empty squares once a game has started there.
            描画_絵(band.row == 10 && x <= 9 ? EMPTY : m_g.BACKGROUND, x, band.row);
}

}  // namespace zorvan
