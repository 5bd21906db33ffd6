// Writes the outlines of the shogi piece characters and of the title word, taken once from a
// mincho face, as a C++ source of exact numbers. The window then draws them as paths and never
// opens that font file: a CJK face costs several megabytes of the program's memory once opened.
//
//   make-outlines OUTPUT.cpp      (needs the face installed; run by `make outlines`)
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPainterPath>
#include <QString>
#include <cstdio>
#include <string>

namespace {

const char* const kFamily = "Noto Serif CJK JP";
const char16_t* const kCharacters = u"歩と香杏桂圭銀全金角馬飛龍王";

// The font the pieces and the title were drawn with: 100 pixels, the heaviest weight.
QFont mincho() {
    QFont font(QString::fromLatin1(kFamily));
    font.setPixelSize(100);
    font.setWeight(QFont::Black);
    return font;
}

void writeElements(std::FILE* out, const std::string& name, const QPainterPath& path) {
    std::fprintf(out, "constexpr OutlineElement %s[] = {\n", name.c_str());
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        std::fprintf(out, "    {%d, %a, %a},\n", static_cast<int>(e.type), e.x, e.y);
    }
    std::fprintf(out, "};\n\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-outlines OUTPUT.cpp\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QFont font = mincho();
    const QFontInfo info(font);
    if (info.family() != QString::fromLatin1(kFamily)) {
        std::fprintf(stderr, "make-outlines: %s is not installed (got %s)\n", kFamily,
                     info.family().toUtf8().constData());
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out,
                 "// Outlines of the piece characters and the title word, written by\n"
                 "// tools/make_outlines.cpp from %s Bold (SIL Open Font License 1.1;\n"
                 "// see data/copyright). Regenerate with `make outlines`; do not edit.\n"
                 "#include \"art/outline_data.h\"\n\n"
                 "namespace zorvan::art::outline_data {\n\nnamespace {\n\n",
                 kFamily);
    const QString characters = QString::fromUtf16(kCharacters);
    for (const QChar c : characters) {
        QPainterPath glyph;
        glyph.addText(0, 0, font, QString(c));
        writeElements(out, "kU" + std::to_string(c.unicode()), glyph);
    }
    QFont spaced = font;
    spaced.setLetterSpacing(QFont::PercentageSpacing, 104);
    QPainterPath word;
    word.addText(0, 0, spaced, QStringLiteral("ZORVAN"));
    writeElements(out, "kTitleWord", word);

    std::fprintf(out, "}  // namespace\n\nconst Outline kPieceCharacters[] = {\n");
    for (const QChar c : characters) {
        QPainterPath glyph;
        glyph.addText(0, 0, font, QString(c));
        std::fprintf(out, "    {u'\\u%04X', kU%d, %d, %d},\n", c.unicode(), c.unicode(),
                     glyph.elementCount(), glyph.fillRule() == Qt::WindingFill ? 1 : 0);
    }
    std::fprintf(out, "};\n\nconst int kPieceCharacterCount = %d;\n\n",
                 static_cast<int>(characters.size()));
    std::fprintf(out, "const Outline kTitle = {u'Z', kTitleWord, %d, %d};\n\n",
                 word.elementCount(), word.fillRule() == Qt::WindingFill ? 1 : 0);
    std::fprintf(out, "}  // namespace zorvan::art::outline_data\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
