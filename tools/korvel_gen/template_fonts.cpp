#include "tools/korvel_gen/template_fonts.h"

#include <cstdlib>
#include <cstring>

namespace {

struct AsciiGlyph {
  char code;
  const char* rows[8];
};

const AsciiGlyph kAsciiGlyphs[] = {
#include "tools/korvel_gen/font_ascii.inc"
};

typedef uint8_t Glyph[8];

// A 5-column row drawn as '#' and '.', placed at cell columns 1-5.
uint8_t RowBits(const char* row) {
  uint8_t bits = 0;
  for (int i = 0; i < 5; ++i) {
    if (row[i] == '#') bits |= uint8_t(0x40 >> i);
  }
  return bits;
}

void AsciiGlyphFor(char c, Glyph out) {
  memset(out, 0, 8);
  for (const AsciiGlyph& g : kAsciiGlyphs) {
    if (g.code == c) {
      for (int r = 0; r < 8; ++r) out[r] = RowBits(g.rows[r]);
      return;
    }
  }
}

// Hexadecimal digits on a 3x5 grid, one string per digit, rows of three.
const char* const kHexDigits[16] = {
    "####.##.##.####", ".#.##..#..#.###", "###..#####..###", "###..####..####",
    "#.##.####..#..#", "####..###..####", "####..####.####", "###..#..#.#..#.",
    "####.#####.####", "####.####..####", "####.#####.##.#", "##.#.###.#.###.",
    "####..#..#..###", "##.#.##.##.###.", "####..####..###", "####..####..#..",
};

// A glyph that shows its own code in hexadecimal, underlined: used where a
// font has no drawn letter for a code.
void CodeBoxGlyph(int code, Glyph out) {
  memset(out, 0, 8);
  const char* high = kHexDigits[(code >> 4) & 15];
  const char* low = kHexDigits[code & 15];
  for (int r = 0; r < 5; ++r) {
    uint8_t bits = 0;
    for (int c = 0; c < 3; ++c) {
      if (high[r * 3 + c] == '#') bits |= uint8_t(0x80 >> c);
      if (low[r * 3 + c] == '#') bits |= uint8_t(0x08 >> c);
    }
    out[r + 1] = bits;
  }
  out[7] = 0xFE;
}

// Diacritic marks on two rows above the letter (or one row below it).
uint8_t MarkRow(const char* row) { return RowBits(row); }

// An accented letter: a base glyph from the ASCII set and one mark code:
//   ' acute  ` grave  ^ circumflex  ~ tilde  : diaeresis  v caron  o ring
//   . dot above  = macron  u breve  " double acute  , cedilla  ; ogonek
//   / stroke  - bar  ! no mark, dot removed (dotless i)  space: none
void AccentedGlyph(char base, char mark, Glyph out) {
  AsciiGlyphFor(base, out);
  if (mark == ' ') return;
  if (mark == ',' || mark == ';') {
    out[7] |= MarkRow(mark == ',' ? "..##." : "...##");
    return;
  }
  if (mark == '/') {
    out[3] |= MarkRow("...#.");
    out[4] |= MarkRow("..#..");
    out[5] |= MarkRow(".#...");
    return;
  }
  if (mark == '-') {
    out[3] |= MarkRow("###..");
    return;
  }
  bool upper = base >= 'A' && base <= 'Z';
  if (upper) {
    // Capitals lose their second row so that the mark fits above them.
    Glyph squeezed = {0, 0, out[0], out[2], out[3], out[4], out[5], out[6]};
    memcpy(out, squeezed, 8);
  }
  const char* a = ".....";
  const char* b = ".....";
  switch (mark) {
    case '\'': a = "...#."; b = "..#.."; break;
    case '`': a = ".#..."; b = "..#.."; break;
    case '^': a = "..#.."; b = ".#.#."; break;
    case '~': a = ".##.#"; b = "#.##."; break;
    case ':': b = ".#.#."; break;
    case 'v': a = ".#.#."; b = "..#.."; break;
    case 'o': a = "..##."; b = "..##."; break;
    case '.': b = "..#.."; break;
    case '=': b = ".###."; break;
    case 'u': a = "#...#"; b = ".###."; break;
    case '"': a = "..#.#"; b = ".#.#."; break;
    case '!': break;
    default: break;
  }
  out[0] = MarkRow(a);
  out[1] = MarkRow(b);
}

// The upper half of a code page: for each of the 64 codes 0xC0-0xFF a base
// letter ('%' for a code box) and its mark; codes 0x80-0xBF are code boxes.
struct UpperHalf {
  const char* bases;   // 64 characters
  const char* marks;   // 64 characters
};

const UpperHalf kWestern = {
    "AAAAAAACEEEEIIII" "DNOOOOOxOUUUUY%%" "aaaaaa%ceeeeiiii" "%nooooo%ouuuuy%y",
    "`'^~:o ,`'^:`'^:" "-~`'^~: /`'^:'  " "`'^~:o ,`'^:`'^:" " ~`'^~: /`'^:' :"};
const UpperHalf kCentralEuropean = {
    "RAAAALCCCEEEEIID" "DNNOOOOxRUUUUYT%" "raaaalccceeeeiid" "dnnoooo%ruuuuyt%",
    "''^u:'',v';:v'^v" "-'v'^\": vo'\":', " "''^u:'',v';:v'^v" "-'v'^\": vo'\":', "};
const UpperHalf kBaltic = {
    "AIACAAEECEZEGKIL" "SNNOOOOxULSUUZZ%" "aiacaaeecezegkil" "snnoooo%ulsuuzz%",
    ";;=':o;=v''.,,=," "v','=~: ;/'=:.v " ";;=':o;=v''.,,=," "v','=~: ;/'=:.v "};
const UpperHalf kTurkish = {
    "AAAAAAACEEEEIIII" "GNOOOOOxOUUUUIS%" "aaaaaa%ceeeeiiii" "gnooooo%ouuuuisy",
    "`'^~:o ,`'^:`'^:" "u~`'^~: /`'^:., " "`'^~:o ,`'^:`'^:" "u~`'^~: /`'^:!,:"};
const UpperHalf kCyrillic = {
    "A%B%%E%3%%K%MHO%" "PCTY%X%%%%%%%%%%" "a6%r%e%%%%k%%%on" "pc%y%x%%%%%%%%%%",
    "                " "                " "                " "                "};
const UpperHalf kGreek = {
    "%AB%%EZH%IK%MN%O" "%P%%TY%X%%IY%%%i" "%a%y%%%n%ik%uv%o" "%p%%%u%x%%iuou%%",
    "                " "          ::   '" "         !      " "          ::''  "};
const UpperHalf kHebrew = {
    "%%%%%%%%%%%%%%%%" "%%%%%%%%%%%%%%%%" "%%%%%|%n%'%%%%%|" "%o%%%%%%%%%%%%%%",
    "                " "                " "                " "                "};
const UpperHalf kArabic = {
    "%%%%%%%|%%%%%%%%" "%%%%%%%%%%%%%%%%" "%%%%%%%%%%%%%%%%" "%%%%%%%%%%%%%%%%",
    "                " "                " "                " "                "};

void DrawUpperHalf(const UpperHalf& half, uint8_t* font) {
  if (strlen(half.bases) != 64 || strlen(half.marks) != 64) abort();  // a mistyped table
  for (int code = 0x80; code < 0x100; ++code) {
    uint8_t* glyph = font + code * 8;
    if (code < 0xC0 || half.bases[code - 0xC0] == '%') {
      CodeBoxGlyph(code, glyph);
    } else {
      AccentedGlyph(half.bases[code - 0xC0], half.marks[code - 0xC0], glyph);
    }
  }
}

// Box drawing of the boot font, codes 0xB3-0xDA: for each code the line kind
// towards up, down, left and right (0 none, 1 single, 2 double).
const char* const kBoxLines[40] = {
    "1100", "1110", "1120", "2210", "0210", "0120", "2220", "2200", "0220", "2020",
    "2010", "1020", "0110", "1001", "1011", "0111", "1101", "0011", "1111", "1102",
    "2201", "2002", "0202", "2022", "0222", "2202", "0022", "2222", "1022", "2011",
    "0122", "0211", "2001", "1002", "0102", "0201", "2211", "1122", "1010", "0101",
};

void SetPixel(Glyph g, int row, int col) { g[row] |= uint8_t(0x80 >> col); }

void BoxGlyph(const char* lines, Glyph out) {
  memset(out, 0, 8);
  const int up = lines[0] - '0', down = lines[1] - '0';
  const int left = lines[2] - '0', right = lines[3] - '0';
  // Single lines run through row and column 3; double lines through 2 and 4.
  auto vertical = [&](int kind, int from, int to) {
    for (int r = from; r <= to; ++r) {
      if (kind == 1) SetPixel(out, r, 3);
      if (kind == 2) { SetPixel(out, r, 2); SetPixel(out, r, 4); }
    }
  };
  auto horizontal = [&](int kind, int from, int to) {
    for (int c = from; c <= to; ++c) {
      if (kind == 1) SetPixel(out, 3, c);
      if (kind == 2) { SetPixel(out, 2, c); SetPixel(out, 4, c); }
    }
  };
  vertical(up, 0, 4);
  vertical(down, 2, 7);
  horizontal(left, 0, 4);
  horizontal(right, 2, 7);
}

void DrawBootUpperHalf(uint8_t* font) {
  for (int code = 0x80; code < 0x100; ++code) CodeBoxGlyph(code, font + code * 8);
  const uint8_t shades[3][2] = {{0x88, 0x22}, {0xAA, 0x55}, {0xEE, 0xBB}};
  for (int s = 0; s < 3; ++s) {
    for (int r = 0; r < 8; ++r) font[(0xB0 + s) * 8 + r] = shades[s][r & 1];
  }
  for (int i = 0; i < 40; ++i) BoxGlyph(kBoxLines[i], font + (0xB3 + i) * 8);
  for (int r = 0; r < 8; ++r) {
    font[0xDB * 8 + r] = 0xFF;                  // full block
    font[0xDC * 8 + r] = r >= 4 ? 0xFF : 0x00;  // lower half
    font[0xDD * 8 + r] = 0xF0;                  // left half
    font[0xDE * 8 + r] = 0x0F;                  // right half
    font[0xDF * 8 + r] = r < 4 ? 0xFF : 0x00;   // upper half
  }
}

}  // namespace

void DrawTemplateFont(TemplateFont font, uint8_t out[2048]) {
  memset(out, 0, 2048);
  for (int c = 0x20; c < 0x7F; ++c) AsciiGlyphFor(char(c), out + c * 8);
  switch (font) {
    case TemplateFont::Fallback: DrawUpperHalf(kWestern, out); break;
    case TemplateFont::Boot: DrawBootUpperHalf(out); break;
    case TemplateFont::CentralEuropean: DrawUpperHalf(kCentralEuropean, out); break;
    case TemplateFont::Cyrillic: DrawUpperHalf(kCyrillic, out); break;
    case TemplateFont::Baltic: DrawUpperHalf(kBaltic, out); break;
    case TemplateFont::Greek: DrawUpperHalf(kGreek, out); break;
    case TemplateFont::Hebrew: DrawUpperHalf(kHebrew, out); break;
    case TemplateFont::Turkish: DrawUpperHalf(kTurkish, out); break;
    case TemplateFont::Arabic: DrawUpperHalf(kArabic, out); break;
  }
}
