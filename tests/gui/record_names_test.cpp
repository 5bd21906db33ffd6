// A loaded record's three names on the real canvas, at several window sizes: each stays inside a
// band of its own, clear of the clocks, the level caption, the move counter and the move texts,
// however long it is; stepping through the record leaves nothing of them behind; and starting a
// game takes all three away.
#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <array>
#include <fstream>

#include "play/hooks.h"
#include "records/record_file.h"
#include "window_fixture.h"

namespace zorvan {
namespace {

// A rectangle of grid cells: columns [c0, c1), rows [r0, r1).
struct Cells {
    double c0, r0, c1, r1;
    bool holds(double c, double r) const { return c >= c0 && c < c1 && r >= r0 && r < r1; }
    bool meets(const Cells& o) const { return c0 < o.c1 && o.c0 < c1 && r0 < o.r1 && o.r0 < r1; }
};

// Where the names may show: the upper player's above the board right of the move text, the
// lower player's on the row below the board and the game's on the row below that.
constexpr Cells kNameBands[] = {{4, -2, 11, -1}, {1, 10, 11, 11}, {1, 11, 11, 12}};

// What the names must never touch.
constexpr struct {
    const char* what;
    Cells cells;
} kOthers[] = {
    {"upper clock", {-2, 10, 1, 11}},
    {"lower clock", {13, 10, 16, 11}},
    {"level caption", {1, -1, 3, 0}},
    {"upper move text", {1, -2, 4, -1}},
    {"lower move text", {13, 2, 17, 3}},
    {"move counter", {13, 3, 15, 4}},
    {"handicap caption", {12, 0, 16, 1}},
    {"lower hand", {11, 1, 13, 13}},
    {"upper hand", {-1, -2, 1, 10}},
    {"title", {10.8, -1, 16, 0}},
    {"board", {1, 1, 10, 10}},
};

struct Names {
    const char* what;
    RecordNames names;  // game, first player (below), second player (above)
};

const Names kNameSets[] = {
    {"short", {"春の大会 決勝", "羽生善治", "大山康晴"}},
    {"long full-width",
     {"第六十四期名人戦七番勝負第七局二日目封じ手再開後の攻防戦記録",
      "一二三四五六七八九十一二三四五六七八九十一二",
      "あいうえおかきくけこさしすせそたちつてとなにぬねの"}},
    {"long half-width and Latin",
     {"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", "ﾊﾌﾞﾖｼﾊﾙﾊﾌﾞﾖｼﾊﾙﾊﾌﾞﾖｼﾊﾙﾊﾌﾞﾖｼﾊﾙﾊﾌﾞﾖｼﾊﾙﾊﾌﾞﾖｼﾊﾙ",
      "Mmmmmmmmmm Wwwwwwwwww Mmmmmmmmmm"}},
};

// Board sizes, among them the smallest window and a scale at which the font's pixel size is
// rounded up (0.55 of the default).
class RecordNamesTest : public ::testing::TestWithParam<QSize> {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.dir.isValid());
        f.state().checks.KEIKA = true;  // both clocks are shown
        // Three moves of a game between persons, the record's content.
        f.window.action("MATCH_MAN")->trigger();
        f.press(7, 7);
        f.press(7, 6);
        f.press(5, 2);
        f.press(5, 4);
        f.press(2, 7);
        f.press(2, 6);
        ASSERT_EQ(f.state().MOVE_NO, 3);
    }

    std::string writeRecord(const RecordNames& names, const char* file) {
        std::string bytes;
        EXPECT_EQ(buildRecord(f.state(), names, f.window.game().codec(), bytes), RecordError::None);
        const std::string path = m_dir.filePath(file).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    QImage picture() { return f.window.board()->image().copy(); }

    // The grid cell of a device pixel of the picture.
    void cellOf(int x, int y, double& c, double& r) {
        const double s = f.window.board()->devicePixelsPerTwip();
        c = ((x + 0.5) / s - BOARD_LEFT) / SQUARE_W;
        r = ((y + 0.5) / s - BOARD_TOP) / SQUARE_H;
    }

    // Checks that two pictures differ only inside the name bands; returns how many pixels of
    // each band differ.
    std::array<int, 3> differencesInBands(const QImage& a, const QImage& b) {
        std::array<int, 3> inBand{};
        EXPECT_EQ(a.size(), b.size());
        if (a.size() != b.size()) return inBand;
        int outside = 0;
        double firstC = 0, firstR = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (a.pixel(x, y) == b.pixel(x, y)) continue;
                double c = 0, r = 0;
                cellOf(x, y, c, r);
                bool found = false;
                for (size_t i = 0; i < 3 && !found; ++i) {
                    if (kNameBands[i].holds(c, r)) {
                        ++inBand[i];
                        found = true;
                    }
                }
                if (!found && outside++ == 0) {
                    firstC = c;
                    firstR = r;
                }
            }
        }
        EXPECT_EQ(outside, 0) << "first at cell (" << firstC << ", " << firstR << ")";
        return inBand;
    }

private:
    // A current folder of the test's own, for the settings file and the records.
    struct OwnFolder {
        QTemporaryDir dir;
        QString old = QDir::currentPath();
        OwnFolder() { QDir::setCurrent(dir.path()); }
        ~OwnFolder() { QDir::setCurrent(old); }
    } m_folder;
    QDir m_dir{m_folder.dir.path()};

protected:
    WindowFixture f{GetParam()};
};

TEST(RecordNameBands, AreClearOfEverythingElseAroundTheBoard) {
    for (const Cells& band : kNameBands)
        for (const auto& other : kOthers) EXPECT_FALSE(band.meets(other.cells)) << other.what;
}

TEST_P(RecordNamesTest, StayInTheirBandsThroughReplayAndGoWhenAGameStarts) {
    const std::string plain = writeRecord({"", "", ""}, "plain.kifu");
    for (const Names& set : kNameSets) {
        SCOPED_TRACE(set.what);
        const std::string named = writeRecord(set.names, "named.kifu");
        // The same steps with and without names: the pictures differ only where names may be.
        std::vector<QImage> withNames, without;
        for (const std::string* path : {&named, &plain}) {
            std::vector<QImage>& shots = path == &named ? withNames : without;
            // Both runs start from a picture painted from nothing, so that they differ only in
            // what the names change.
            f.window.board()->clearAll();
            File1_Click(f.window.game(), *path);
            ASSERT_EQ(f.state().KIFU_MODE, ON);
            shots.push_back(picture());
            f.window.action("AFTER")->trigger();  // the lower side's move text, both clocks
            f.window.action("AFTER")->trigger();  // the upper side's move text
            shots.push_back(picture());
            f.window.action("TATAMI")->trigger();  // the whole window drawn anew
            shots.push_back(picture());
            f.window.action("MIDORI")->trigger();
            f.window.action("START2")->trigger();  // a game from here: the level caption
            shots.push_back(picture());
        }
        const char* stages[] = {"loaded", "stepped", "redrawn"};
        for (size_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(stages[i]);
            const auto shown = differencesInBands(withNames[i], without[i]);
            for (size_t b = 0; b < 3; ++b) EXPECT_GT(shown[b], 20) << "band " << b;
        }
        EXPECT_EQ(withNames[3], without[3]) << "a game started: every name is gone";
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, RecordNamesTest,
                         ::testing::Values(QSize(320, 350), QSize(352, 385), QSize(640, 700),
                                           QSize(960, 1050), QSize(1000, 700), QSize(640, 1100)),
                         [](const ::testing::TestParamInfo<QSize>& info) {
                             return std::to_string(info.param.width()) + "x" +
                                    std::to_string(info.param.height());
                         });

}  // namespace
}  // namespace zorvan
