#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/jpeg.h"
#include "formats/jpeg_entropy.h"
#include "formats/jpeg_headers.h"
#include "libjpeg_reference.h"
#include "support/scratch_dir.h"

namespace {

// ---- Reference images made and decoded with libjpeg ----

// Smooth gradients, a sharp-edged square, fine stripes and noise: content
// that exercises every part of the coder at every quality.
std::vector<uint8_t> test_picture(int width, int height, int channels) {
  std::vector<uint8_t> rgb(size_t(width) * height * channels);
  uint32_t noise = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      bool square = x > width / 4 && x < width / 2 && y > height / 3 && y < 2 * height / 3;
      int stripes = ((x / 2 + y / 3) % 2) * 40;
      int grain = int(noise >> 27);
      uint8_t* p = &rgb[(size_t(y) * width + x) * channels];
      for (int c = 0; c < channels; ++c) {
        int value = square ? (c == 0 ? 250 : 10) : (x * (c + 1) * 255 / (width + 1) + y * 255 / (height + 1)) / 2;
        p[c] = uint8_t(std::clamp(value + stripes + grain - 20, 0, 255));
      }
    }
  return rgb;
}

std::string encode(const std::vector<uint8_t>& pixels, int width, int height, const jpeg_encoding& e) {
  std::string file = libjpeg_encode(pixels.data(), width, height, e);
  if (file.empty()) ADD_FAILURE() << "libjpeg could not encode";
  return file;
}

std::vector<uint8_t> reference_decode(const std::string& file) {
  libjpeg_picture picture = libjpeg_decode(file);
  if (!picture.rgb) {
    ADD_FAILURE() << "libjpeg could not decode";
    return {};
  }
  return {picture.rgb.get(), picture.rgb.get() + size_t(picture.width) * picture.height * 3};
}

// Our decode, turned top row first to compare with libjpeg. Empty on failure.
std::vector<uint8_t> decode_top_down(const std::string& file, int& width, int& height) {
  if (!load_memory_jpg(file.data(), file.size())) return {};
  width = jpeg_width;
  height = jpeg_height;
  size_t row_bytes = size_t(width) * 3;
  std::vector<uint8_t> rgb(row_bytes * height);
  for (int y = 0; y < height; ++y)
    std::copy_n(jpeg_data + size_t(height - 1 - y) * row_bytes, row_bytes, rgb.begin() + y * row_bytes);
  std::free(jpeg_data);
  jpeg_data = nullptr;
  return rgb;
}

struct agreement {
  double psnr = INFINITY;
  int largest_difference = 0;
};

agreement compare(const std::vector<uint8_t>& ours, const std::vector<uint8_t>& reference) {
  agreement a;
  double squared = 0;
  for (size_t i = 0; i < ours.size(); ++i) {
    int d = std::abs(int(ours[i]) - int(reference[i]));
    a.largest_difference = std::max(a.largest_difference, d);
    squared += double(d) * d;
  }
  if (squared > 0) a.psnr = 10 * std::log10(255.0 * 255.0 * ours.size() / squared);
  return a;
}

bool accepts(const std::string& file) {
  if (!load_memory_jpg(file.data(), file.size())) return false;
  std::free(jpeg_data);
  jpeg_data = nullptr;
  return true;
}

// ---- Hand-made files for cases an encoder never writes ----

std::string be16(size_t value) { return {char(value >> 8), char(value & 0xFF)}; }

std::string segment(int marker, const std::string& payload) {
  return std::string{char(0xFF), char(marker)} + be16(payload.size() + 2) + payload;
}

const std::string jfif = segment(0xE0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14));
const std::string unit_quant = segment(0xDB, std::string(1, '\0') + std::string(64, '\x01'));

std::string huffman(int table, const std::vector<int>& counts, const std::string& symbols) {
  std::string payload(1, char(table));
  for (int i = 0; i < 16; ++i) payload += char(i < int(counts.size()) ? counts[i] : 0);
  return segment(0xC4, payload + symbols);
}

// A grey image of `width` x 8 pixels, quantiser 1: DC codes "0" (size 0) and
// "10" (size 4); one AC code, "0", the end of block. `extra` goes between the
// tables and the scan (a restart interval, say).
std::string grey_strip(int width, const std::string& entropy, const std::string& extra = "",
                       const std::string& dc_table = huffman(0x00, {1, 1}, std::string("\x00\x04", 2))) {
  std::string frame = segment(0xC0, std::string("\x08\x00\x08", 3) + be16(width) + std::string("\x01\x01\x11\x00", 4));
  std::string scan = segment(0xDA, std::string("\x01\x01\x00\x00\x3f\x00", 6));
  return std::string("\xFF\xD8", 2) + jfif + unit_quant + frame + dc_table + huffman(0x10, {1}, std::string(1, '\0')) +
         extra + scan + entropy + std::string("\xFF\xD9", 2);
}

// Grey value of pixel (x, y), y counted from the top.
int grey_at(int x, int y) { return jpeg_data[(size_t(jpeg_height - 1 - y) * jpeg_width + x) * 3]; }

// Decodes a file and frees its image at the end of the scope.
struct decoded {
  explicit decoded(const std::string& file) {
    ok = load_memory_jpg(file.data(), file.size()) == 1;
    if (ok) image = jpeg_data;
  }
  ~decoded() {
    if (jpeg_data == image) jpeg_data = nullptr;
    std::free(image);
  }
  bool ok;
  unsigned char* image = nullptr;
};

// Offset of the first byte after marker `marker`.
size_t find_marker(const std::string& file, int marker) {
  for (size_t i = 0; i + 1 < file.size(); ++i)
    if (uint8_t(file[i]) == 0xFF && uint8_t(file[i + 1]) == marker) return i + 2;
  return std::string::npos;
}

// ---- Tests ----

TEST(JpegDecoder, AgreesWithLibjpegAcrossSamplingSizesAndQualities) {
  struct size2 {
    int width, height;
  };
  const size2 sizes[] = {{1, 1}, {17, 33}, {640, 480}, {1023, 769}};
  const int samplings[][2] = {{1, 1}, {2, 1}, {2, 2}};
  const int qualities[] = {10, 50, 100, 75, 90};
  agreement worst;
  int images = 0;
  for (const size2& s : sizes) {
    std::vector<uint8_t> picture = test_picture(s.width, s.height, 3);
    for (const auto& sampling : samplings) {
      for (int qi = 0; qi < 5; ++qi) {
        // The big images take one quality per sampling, to keep the suite quick.
        if (s.width > 1000 && qi != (sampling[0] * 2 + sampling[1]) % 5) continue;
        jpeg_encoding e;
        e.quality = qualities[qi];
        e.luma_h = sampling[0];
        e.luma_v = sampling[1];
        // Every other image restarts at each row of units.
        int unit_width = 8 * sampling[0];
        if (qi % 2 == 0) e.restart_units = (s.width + unit_width - 1) / unit_width;
        std::string file = encode(picture, s.width, s.height, e);
        SCOPED_TRACE(testing::Message() << s.width << "x" << s.height << " sampling " << sampling[0] << "x"
                                        << sampling[1] << " quality " << e.quality << " restart "
                                        << e.restart_units);
        int width = 0, height = 0;
        std::vector<uint8_t> ours = decode_top_down(file, width, height);
        ASSERT_FALSE(ours.empty());
        ASSERT_EQ(width, s.width);
        ASSERT_EQ(height, s.height);
        agreement a = compare(ours, reference_decode(file));
        EXPECT_GE(a.psnr, 40.0);
        worst.psnr = std::min(worst.psnr, a.psnr);
        worst.largest_difference = std::max(worst.largest_difference, a.largest_difference);
        ++images;
      }
    }
  }
  std::printf("JPEG vs libjpeg: %d images, worst PSNR %.2f dB, largest channel difference %d\n", images,
              worst.psnr, worst.largest_difference);
  RecordProperty("worst_psnr_db", std::to_string(worst.psnr));
  RecordProperty("largest_channel_difference", worst.largest_difference);
}

TEST(JpegDecoder, GreyImagesGiveGreyPixelsEqualToLibjpeg) {
  // Same transform, no colour conversion: the samples must match exactly.
  for (int quality : {15, 80, 100}) {
    const int width = 37, height = 21;
    std::vector<uint8_t> picture = test_picture(width, height, 1);
    jpeg_encoding e;
    e.grey = true;
    e.quality = quality;
    e.restart_units = quality == 80 ? 5 : 0;
    std::string file = encode(picture, width, height, e);
    int w = 0, h = 0;
    std::vector<uint8_t> ours = decode_top_down(file, w, h);
    ASSERT_FALSE(ours.empty()) << quality;
    std::vector<uint8_t> reference = reference_decode(file);
    for (size_t p = 0; p < ours.size() / 3; ++p) {
      ASSERT_EQ(ours[3 * p], reference[3 * p]) << "pixel " << p << " quality " << quality;
      ASSERT_EQ(ours[3 * p], ours[3 * p + 1]);
      ASSERT_EQ(ours[3 * p], ours[3 * p + 2]);
    }
  }
}

TEST(JpegDecoder, RestartIntervalsOtherThanOneRowStillDecode) {
  const int width = 100, height = 50;
  std::vector<uint8_t> picture = test_picture(width, height, 3);
  for (int units : {1, 3, 40}) {
    jpeg_encoding e;
    e.restart_units = units;
    std::string file = encode(picture, width, height, e);
    int w = 0, h = 0;
    std::vector<uint8_t> ours = decode_top_down(file, w, h);
    ASSERT_FALSE(ours.empty()) << units;
    EXPECT_GE(compare(ours, reference_decode(file)).psnr, 40.0) << units;
  }
}

TEST(JpegDecoder, RefusesWhatIsNotBaselineJfif) {
  const int width = 24, height = 16;
  std::vector<uint8_t> picture = test_picture(width, height, 3);
  jpeg_encoding plain;
  std::string baseline = encode(picture, width, height, plain);
  ASSERT_TRUE(accepts(baseline));

  jpeg_encoding progressive;
  progressive.progressive = true;
  EXPECT_FALSE(accepts(encode(picture, width, height, progressive)));
  jpeg_encoding arithmetic;
  arithmetic.arithmetic = true;
  EXPECT_FALSE(accepts(encode(picture, width, height, arithmetic)));
  jpeg_encoding exif;
  exif.jfif = false;
  exif.exif = std::string("Exif\0\0MM\0\x2a\0\0\0\x08\0\0", 16);
  EXPECT_FALSE(accepts(encode(picture, width, height, exif)));
  jpeg_encoding cmyk;
  cmyk.cmyk = true;
  EXPECT_FALSE(accepts(encode(test_picture(width, height, 4), width, height, cmyk)));

  std::string twelve_bit = baseline;
  twelve_bit[find_marker(baseline, 0xC0) + 2] = 12;
  EXPECT_FALSE(accepts(twelve_bit));

  // Header segments must start within the first 10000 bytes.
  jpeg_encoding near;
  near.comment = std::string(9000, 'c');
  EXPECT_TRUE(accepts(encode(picture, width, height, near)));
  jpeg_encoding far;
  far.comment = std::string(10000, 'c');
  EXPECT_FALSE(accepts(encode(picture, width, height, far)));
}

TEST(JpegDecoder, RefusesFramesItCannotLayOut) {
  const int width = 24, height = 16;
  std::string file = encode(test_picture(width, height, 3), width, height, jpeg_encoding{});
  size_t frame = find_marker(file, 0xC0);
  ASSERT_NE(frame, std::string::npos);
  auto patched = [&](size_t offset, std::string bytes) {
    std::string copy = file;
    copy.replace(frame + offset, bytes.size(), bytes);
    return copy;
  };
  ASSERT_TRUE(accepts(file));
  // Luma sampling 1x2, 3x1, 4x1 and 1x4; chroma 2x1.
  for (char luma : {'\x12', '\x31', '\x41', '\x14', '\x33'}) EXPECT_FALSE(accepts(patched(9, std::string(1, luma))));
  EXPECT_FALSE(accepts(patched(12, "\x21")));
  // Height (offset 3) or width (offset 5) of 0 or 65535.
  for (size_t at : {3, 5}) {
    EXPECT_FALSE(accepts(patched(at, std::string("\0\0", 2))));
    EXPECT_FALSE(accepts(patched(at, "\xFF\xFF")));
  }
  // A quantisation table that does not exist; component ids out of order.
  EXPECT_FALSE(accepts(patched(10, "\x02")));
  EXPECT_FALSE(accepts(patched(11, "\x03")));
}

TEST(JpegDecoder, RefusesImpossibleHuffmanTablesAndSegmentLengths) {
  std::string good = grey_strip(8, std::string("\x3F", 1));
  ASSERT_TRUE(accepts(good));
  // Three codes of one bit; 272 codes in a table of 256.
  std::string three_of_one = huffman(0x00, {3}, std::string(3, '\0'));
  EXPECT_FALSE(accepts(grey_strip(8, "\x3F", "", three_of_one)));
  std::vector<int> crowded(16, 17);
  EXPECT_FALSE(accepts(grey_strip(8, "\x3F", "", huffman(0x00, crowded, std::string(272, '\0')))));
  // Counts that promise more symbols than the segment holds.
  EXPECT_FALSE(accepts(grey_strip(8, "\x3F", "", huffman(0x00, {2, 4}, std::string(3, '\0')))));
  // Table ids 2 and 3 are not baseline.
  EXPECT_FALSE(accepts(grey_strip(8, "\x3F", "", huffman(0x02, {1}, std::string(1, '\0')))));

  // A length shorter than itself, one running past the end of the file.
  std::string bad_length = good;
  size_t quant = find_marker(good, 0xDB);
  bad_length[quant] = 0;
  bad_length[quant + 1] = 1;
  EXPECT_FALSE(accepts(bad_length));
  std::string cut = good.substr(0, find_marker(good, 0xC4) + 10);
  EXPECT_FALSE(accepts(cut));
  // A restart segment too short to hold its interval.
  EXPECT_FALSE(accepts(grey_strip(8, "\x3F", segment(0xDD, ""))));
}

TEST(JpegDecoder, DataEndingEarlyIsRefusedWhereverTheFileIsCut) {
  jpeg_encoding e;
  e.restart_units = 2;
  std::string file = encode(test_picture(40, 24, 3), 40, 24, e);
  size_t scan = find_marker(file, 0xDA);
  ASSERT_TRUE(accepts(file));
  ASSERT_NE(scan, std::string::npos);
  // Every cut that takes a byte of entropy data (the last one may be the
  // stuffed zero of a 0xFF, which holds no bits) loses bits the image needs.
  for (size_t length = 0; length + 3 < file.size(); ++length)
    EXPECT_FALSE(accepts(file.substr(0, length))) << "cut at " << length << " of " << file.size();
}

TEST(JpegDecoder, CorruptCodeShowsADiagonalCrossAndDecodingGoesOn) {
  // Unit 1: DC "0", then sixteen ones that match no AC code. Unit 2: DC "0",
  // end of block, padding. The 0xFF byte in the data carries a stuffed zero.
  std::string entropy("\x7F\xFF\x00\x9F", 4);
  decoded d(grey_strip(16, entropy));
  ASSERT_TRUE(d.ok);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(grey_at(x, y), (x == y || x + y == 7) ? 255 : 0) << x << "," << y;
      EXPECT_EQ(grey_at(x + 8, y), 128);
    }
}

TEST(JpegDecoder, StuffedByteIsSkippedEvenAtTheStartOfTheData) {
  // A DC code of eight ones and a zero makes the first data byte 0xFF.
  std::string dc = huffman(0x00, {1, 1, 1, 1, 1, 1, 1, 1, 1}, std::string("\x00\x00\x00\x00\x00\x00\x00\x00\x04", 9));
  // 111111110 1000 0 11: size 4, difference +8, end of block, padding.
  decoded d(grey_strip(8, std::string("\xFF\x00\x43", 3), "", dc));
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(grey_at(0, 0), 129);  // DC 8: (8 * 4 + 16) >> 5 = 1 above mid-grey
  EXPECT_EQ(grey_at(7, 7), 129);
}

TEST(JpegDecoder, ColourConversionTruncatesTowardZero) {
  // 16 x 8, 4:4:4, two flat units of Y 192, Cb 96, Cr 160. DC codes "0"
  // (size 0), "10" (size 9), "110" (size 10): Y +512, Cb -256, Cr +256, then
  // no change in the second unit.
  std::string frame = segment(0xC0, std::string("\x08\x00\x08\x00\x10\x03\x01\x11\x00\x02\x11\x00\x03\x11\x00", 15));
  std::string scan = segment(0xDA, std::string("\x03\x01\x00\x02\x00\x03\x00\x00\x3F\x00", 10));
  std::string file = std::string("\xFF\xD8", 2) + jfif + unit_quant + frame +
                     huffman(0x00, {1, 1, 1}, std::string("\x00\x09\x0A", 3)) + huffman(0x10, {1}, std::string(1, '\0')) +
                     scan + std::string("\xD0\x02\x7F\xA8\x00\x0F\xFF\xD9", 8);
  decoded d(file);
  ASSERT_TRUE(d.ok);
  for (int p = 0; p < 16 * 8; ++p) {
    // 192 + 44.864, 192 - 11.84, 192 - 56.704: libjpeg rounds red to 237.
    ASSERT_EQ(jpeg_data[3 * p], 236) << p;
    ASSERT_EQ(jpeg_data[3 * p + 1], 180) << p;
    ASSERT_EQ(jpeg_data[3 * p + 2], 135) << p;
  }
}

TEST(JpegDecoder, RestartMarkerEndsTheBlockAndResetsThePredictor) {
  const std::string restart_each_unit = segment(0xDD, be16(1));
  // Unit 1: DC "10" + "1000" (+8), end of block, a padding one. Unit 2: DC
  // "0", end of block: its predictor starts again from zero.
  decoded reset(grey_strip(16, std::string("\xA1\xFF\xD0\x3F", 4), restart_each_unit));
  ASSERT_TRUE(reset.ok);
  EXPECT_EQ(grey_at(3, 3), 129);
  EXPECT_EQ(grey_at(11, 3), 128);

  // Unit 1: DC "0" and then only padding ones before the marker: the end of
  // the block, not a corrupt code.
  decoded padded(grey_strip(16, std::string("\x7F\xFF\xD1\x3F", 4), restart_each_unit));
  ASSERT_TRUE(padded.ok);
  EXPECT_EQ(grey_at(0, 0), 128);
  EXPECT_EQ(grey_at(15, 7), 128);
}

TEST(JpegDecoder, FailedDecodeLeavesTheOutputAlone) {
  unsigned char sentinel = 0;
  jpeg_data = &sentinel;
  jpeg_width = 7;
  jpeg_height = 9;
  EXPECT_EQ(load_memory_jpg("\xFF\xD8\xFF\xD9", 4), 0);
  EXPECT_EQ(load_memory_jpg(nullptr, 10), 0);
  EXPECT_EQ(load_memory_jpg("", 0), 0);
  EXPECT_EQ(jpeg_data, &sentinel);
  EXPECT_EQ(jpeg_width, 7);
  EXPECT_EQ(jpeg_height, 9);
  jpeg_data = nullptr;
}

TEST(JpegDecoder, LoadsFromAFile) {
  scratch_dir dir;
  std::string file = encode(test_picture(9, 5, 3), 9, 5, jpeg_encoding{});
  write_file("data/backdrops/menu.jpg", file);
  write_file("data/backdrops/empty.jpg", "");
  EXPECT_EQ(load_jpg("data/backdrops/missing.jpg"), 0);
  EXPECT_EQ(load_jpg("data/backdrops/empty.jpg"), 0);
  ASSERT_EQ(load_jpg("data/backdrops/menu.jpg"), 1);
  EXPECT_EQ(jpeg_width, 9);
  EXPECT_EQ(jpeg_height, 5);
  std::free(jpeg_data);
  jpeg_data = nullptr;
}

// The decoder's look-up tables against the plain reading of a Huffman table:
// take one bit at a time and search the codes of that length.
TEST(JpegDecoder, HuffmanLookUpMatchesTheSearchByLength) {
  const std::vector<std::vector<int>> count_sets = {
      {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 125},  // the usual AC luminance table
      {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},    // one code of every length, incomplete
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 4, 8, 16, 32, 64, 100},  // long codes only
      {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},    // a single code
  };
  uint32_t noise = 99;
  for (const std::vector<int>& counts : count_sets) {
    int total = 0;
    for (int c : counts) total += c;
    std::string symbols;
    for (int i = 0; i < total; ++i) symbols += char(i * 7);
    // Passed as the extra segment, the table follows the strip's own AC table
    // and replaces it.
    std::string file = grey_strip(8, "\x3F", huffman(0x10, counts, symbols));
    DECODER_DATA decoder{};
    ASSERT_TRUE(read_jpeg_headers(reinterpret_cast<const uint8_t*>(file.data()), file.size(), decoder));
    const jpeg_huffman_table& table = decoder.ac_table[0];
    ASSERT_EQ(table.count, total);

    std::vector<uint8_t> data(4096);
    for (uint8_t& byte : data) {
      noise = noise * 1664525u + 1013904223u;
      byte = uint8_t(noise >> 24) == 0xFF ? 0xFE : uint8_t(noise >> 24);  // no stuffing to model
    }
    size_t bit = 0;
    auto next_bit = [&] { return (data[bit / 8] >> (7 - bit % 8)) & 1u; };
    jpeg_bit_reader reader;
    reader.start(data.data(), data.size(), 0);
    while (bit + 16 < data.size() * 8 - 64) {
      int expected = -1;
      unsigned code = 0;
      for (int length = 1; length <= 16 && expected < 0; ++length) {
        code = code << 1 | next_bit();
        ++bit;
        for (int n = 0; n < table.count; ++n)
          if (table.node[n].length == length && table.node[n].code == code) expected = int(table.node[n].symbol);
      }
      ASSERT_EQ(huffman_decode(reader, table), expected) << "at bit " << bit;
    }
  }
}

}  // namespace
