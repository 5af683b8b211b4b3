// DataFileBuffer.cpp -- a data file as a stream, in chunks, up to its limit.
#include "platform/DataFile.h"

DataFileBuffer::int_type DataFileBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (offset_ >= limit_) return traits_type::eof();
  uint64_t want = limit_ - offset_;
  if (want > sizeof chunk_) want = sizeof chunk_;
  const size_t got = file_.ReadAt(offset_, chunk_, static_cast<size_t>(want));
  if (got == 0) {
    limit_ = offset_;  // the end stays where it was met
    return traits_type::eof();
  }
  offset_ += got;
  setg(chunk_, chunk_, chunk_ + got);
  return traits_type::to_int_type(chunk_[0]);
}
