#include "shell/gif_picture.h"

#include <QList>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/core/failure.h"

namespace tsubame {
namespace {

constexpr int kMaxCodes = 4096;  // 12-bit codes
constexpr qsizetype kMaxPixels = qsizetype{1} << 24;

[[noreturn]] void Damaged(const char* what) { throw Failure(std::string("GIF picture: ") + what); }

class Reader {
 public:
  explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}

  uint8_t Byte() {
    if (m_pos >= m_bytes.size()) {
      Damaged("data ends early");
    }
    return static_cast<uint8_t>(m_bytes[m_pos++]);
  }

  int Word() {  // little-endian
    const int low = Byte();
    return low | (Byte() << 8);
  }

  QByteArrayView Take(qsizetype count) {
    if (count > m_bytes.size() - m_pos) {
      Damaged("data ends early");
    }
    const QByteArrayView part = m_bytes.sliced(m_pos, count);
    m_pos += count;
    return part;
  }

  // Data comes in blocks of up to 255 bytes, each after its length, ended
  // by an empty block.
  QByteArray SubBlocks() {
    QByteArray joined;
    for (int count = Byte(); count != 0; count = Byte()) {
      joined.append(Take(count));
    }
    return joined;
  }

 private:
  QByteArrayView m_bytes;
  qsizetype m_pos = 0;
};

// A colour table of 2^(n+1) entries follows when bit 7 of `packed` is set.
// Padded with black to 256 entries, so that every index has a colour.
QList<QRgb> ColourTable(Reader& in, int packed) {
  QList<QRgb> table(256, qRgb(0, 0, 0));
  const int count = 2 << (packed & 7);
  for (int i = 0; i < count; ++i) {
    const int red = in.Byte();
    const int green = in.Byte();
    table[i] = qRgb(red, green, in.Byte());
  }
  return table;
}

// Variable-length LZW codes, read low bit first, into exactly `count`
// colour indices.
void DecodeLzw(int min_size, QByteArrayView data, uint8_t* out, qsizetype count) {
  if (min_size < 2 || min_size > 8) {
    Damaged("bad code size");
  }
  const int clear = 1 << min_size;
  const int end = clear + 1;
  std::array<uint16_t, kMaxCodes> prefix{};
  std::array<uint8_t, kMaxCodes> suffix{};
  std::array<uint8_t, kMaxCodes + 1> stack{};  // one string, last index first
  for (int i = 0; i < clear; ++i) {
    suffix[i] = static_cast<uint8_t>(i);
  }
  int code_size = min_size + 1;
  int next = end + 1;
  int previous = -1;
  uint8_t first = 0;  // first index of the previous code's string
  uint32_t bits = 0;
  int bit_count = 0;
  qsizetype pos = 0;
  qsizetype written = 0;
  for (;;) {
    while (bit_count < code_size) {
      if (pos >= data.size()) {
        Damaged("no end code");
      }
      bits |= uint32_t{static_cast<uint8_t>(data[pos++])} << bit_count;
      bit_count += 8;
    }
    const int code = static_cast<int>(bits & ((1u << code_size) - 1));
    bits >>= code_size;
    bit_count -= code_size;
    if (code == clear) {
      code_size = min_size + 1;
      next = end + 1;
      previous = -1;
      continue;
    }
    if (code == end) {
      break;
    }
    int sp = 0;
    int c = code;
    if (previous < 0) {
      if (code > clear) {
        Damaged("first code is no colour");
      }
    } else if (code > next) {
      Damaged("code beyond the table");
    } else if (code == next) {  // the string just being defined
      stack[sp++] = first;
      c = previous;
    }
    while (c > end) {
      stack[sp++] = suffix[c];
      c = prefix[c];
    }
    stack[sp++] = static_cast<uint8_t>(c);
    first = static_cast<uint8_t>(c);
    if (previous >= 0 && next < kMaxCodes) {
      prefix[next] = static_cast<uint16_t>(previous);
      suffix[next] = first;
      ++next;
      if (next == (1 << code_size) && code_size < 12) {
        ++code_size;
      }
    }
    if (sp > count - written) {
      Damaged("more pixels than the picture holds");
    }
    while (sp > 0) {
      out[written++] = stack[--sp];
    }
    previous = code;
  }
  if (written != count) {
    Damaged("fewer pixels than the picture holds");
  }
}

}  // namespace

QImage DecodeGif(QByteArrayView bytes) {
  Reader in(bytes);
  const QByteArrayView signature = in.Take(6);
  if (signature != "GIF87a" && signature != "GIF89a") {
    Damaged("no GIF signature");
  }
  const int width = in.Word();
  const int height = in.Word();
  const int screen_packed = in.Byte();
  const int background = in.Byte();
  in.Byte();  // pixel aspect ratio
  if (width == 0 || height == 0 || qsizetype{width} * height > kMaxPixels) {
    Damaged("bad size");
  }
  QList<QRgb> global;
  if (screen_packed & 0x80) {
    global = ColourTable(in, screen_packed);
  }
  for (;;) {
    const int block = in.Byte();
    if (block == 0x21) {  // extension: label, then data blocks
      in.Byte();
      in.SubBlocks();
      continue;
    }
    if (block != 0x2C) {
      Damaged(block == 0x3B ? "no picture" : "unknown block");
    }
    const int left = in.Word();
    const int top = in.Word();
    const int frame_width = in.Word();
    const int frame_height = in.Word();
    const int packed = in.Byte();
    if (packed & 0x40) {
      Damaged("interlaced");
    }
    if (left + frame_width > width || top + frame_height > height) {
      Damaged("frame outside the picture");
    }
    const QList<QRgb> colours = (packed & 0x80) ? ColourTable(in, packed) : global;
    if (colours.isEmpty()) {
      Damaged("no colour table");
    }
    const int min_size = in.Byte();
    std::vector<uint8_t> frame(static_cast<size_t>(frame_width) * frame_height);
    DecodeLzw(min_size, in.SubBlocks(), frame.data(), static_cast<qsizetype>(frame.size()));

    QImage picture(width, height, QImage::Format_Indexed8);
    if (picture.isNull()) {
      Damaged("no memory for the picture");
    }
    picture.setColorTable(colours);
    picture.fill(static_cast<uint>(background));
    for (int y = 0; y < frame_height; ++y) {
      std::memcpy(picture.scanLine(top + y) + left, frame.data() + size_t(y) * frame_width,
                  static_cast<size_t>(frame_width));
    }
    return picture;
  }
}

}  // namespace tsubame
