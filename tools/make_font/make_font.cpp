// Renders the overlay's glyph font: a 256 x 256 8-bit grey TGA (bottom-left origin) holding a
// 16 x 16 grid of 16-pixel cells. Glyph k is the character with byte value k (ASCII, then
// Latin-1); control characters stay blank. Glyph 0 is the top left cell of the picture and the
// rows run downwards. White antialiased glyphs on black.
//
//   make_font <output.tga> [font file]
#include <cstdio>
#include <cstdlib>

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

constexpr int kCell = 16;
constexpr int kGrid = 16;
constexpr int kSide = kCell * kGrid;
// The cells are square and the text advances a whole cell per letter: widen the narrow
// monospace letters so words do not fall apart.
constexpr qreal kWiden = 1.4;
const char* const kDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

bool IsControl(int k)
{
    return k < 32 || (k >= 127 && k < 160);
}

QImage RenderGrid(const QFont& font)
{
    QImage image(kSide, kSide, QImage::Format_Grayscale8);
    image.fill(0);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QFontMetricsF metrics(font);
    const qreal baseline = (kCell - (metrics.ascent() + metrics.descent())) / 2 + metrics.ascent();
    for (int k = 0; k < 256; ++k) {
        if (IsControl(k))
            continue;
        const QString glyph(QChar(static_cast<char16_t>(k)));  // Latin-1 is the first 256 code points
        const QRectF cell((k % kGrid) * kCell, (k / kGrid) * kCell, kCell, kCell);
        const qreal left = (kCell - kWiden * metrics.horizontalAdvance(glyph)) / 2;
        painter.setClipRect(cell);
        painter.save();
        painter.translate(cell.left() + left, cell.top() + baseline);
        painter.scale(kWiden, 1.0);
        painter.drawText(QPointF(0, 0), glyph);
        painter.restore();
    }
    painter.end();
    return image;
}

bool WriteTga(const QImage& image, const char* path)
{
    unsigned char header[18] = {};
    header[2] = 3;  // uncompressed grey
    header[12] = static_cast<unsigned char>(image.width() & 0xFF);
    header[13] = static_cast<unsigned char>(image.width() >> 8);
    header[14] = static_cast<unsigned char>(image.height() & 0xFF);
    header[15] = static_cast<unsigned char>(image.height() >> 8);
    header[16] = 8;
    header[17] = 0;  // bottom-left origin: the first row written is the picture's bottom row
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(header, 1, sizeof header, file) == sizeof header;
    for (int row = image.height() - 1; ok && row >= 0; --row)
        ok = std::fwrite(image.constScanLine(row), 1, static_cast<size_t>(image.width()), file) ==
             static_cast<size_t>(image.width());
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_font <output.tga> [font file]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString fontFile = QString::fromLocal8Bit(argc == 3 ? argv[2] : kDefaultFont);
    const int id = QFontDatabase::addApplicationFont(fontFile);
    if (id < 0 || QFontDatabase::applicationFontFamilies(id).isEmpty()) {
        std::fprintf(stderr, "make_font: cannot load font %s\n", qPrintable(fontFile));
        return 1;
    }
    QFont font(QFontDatabase::applicationFontFamilies(id).first());
    font.setPixelSize(13);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);

    if (!WriteTga(RenderGrid(font), argv[1])) {
        std::fprintf(stderr, "make_font: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
