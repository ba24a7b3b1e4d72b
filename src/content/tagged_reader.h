// The word stream that every definition file is read through.
//
// A file is a stream of whitespace-separated words; a tag is a word in angle
// brackets and its values are the words after it. Values are read with small
// scanf-like formats in which a blank matches any run of whitespace (or none)
// and other characters must match literally. A value that does not convert is
// not consumed: the reader is put back so that the word is read again as an
// ordinary word, and the target keeps its previous value.
#pragma once
#include <cstddef>
#include <string>

// Words longer than a loader's buffer are cut to fit; the rest of the word is
// skipped so that it cannot turn into a word of its own.
constexpr size_t tag_word_capacity = 256;
// Files larger than this are read only up to this size.
constexpr size_t tag_file_limit = 64u << 20;

class tagged_reader {
 public:
  // Reads the whole file into memory; false when it cannot be opened.
  bool open(const char* path);
  // Reads from text already in memory (tests, files read elsewhere).
  void open_text(std::string text);

  // " %s ": the next word, cut to capacity - 1 characters. False at end of file.
  bool word(char* out, size_t capacity);
  template <size_t N>
  bool word(char (&out)[N]) { return word(out, N); }

  // Reads values with a format made of blanks, literal characters, "%d" (int*)
  // and "%f" (float*). Returns how many values were stored, like scanf; the
  // first value or literal that fails stops the scan and is left unread.
  int scan(const char* format, ...);

  bool at_end();

 private:
  void skip_space();
  std::string text_;
  size_t pos_ = 0;
};
