// Arbitrary bytes as a stored-data container: reading either succeeds or raises the
// container's or the stream's own error, never anything else, and touches nothing
// outside the input. What reads successfully writes back to a container that reads
// as the same files and writes back to the same bytes again.
//
// Each input is read twice: in place (the stream lends its bytes, as a resource
// mapped with the executable does) and through a stream that cannot lend, which
// takes the scratch-area path. Both must come to the same outcome.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/ByteStream.h"
#include "storage/StoredData.h"

namespace {

// Hides Lend so that the reader has to copy into its scratch area.
class CopyingStream : public TStream {
 public:
  CopyingStream(const void* data, std::size_t size) : span_(data, size) {}
  std::size_t Read(void* buffer, std::size_t count) override { return span_.Read(buffer, count); }
  void Write(const void* buffer, std::size_t count) override { span_.Write(buffer, count); }
  std::int64_t Position() const override { return span_.Position(); }
  void Seek(std::int64_t position) override { span_.Seek(position); }
  std::int64_t Size() const override { return span_.Size(); }

 private:
  TSpanStream span_;
};

// The outcome of one read: the files, or the error's kind and text.
struct Outcome {
  bool read = false;
  StoredContainer container;
  std::string error;
};

Outcome ReadFrom(TStream& in) {
  Outcome outcome;
  try {
    outcome.container.Read(in);
    outcome.read = true;
  } catch (const EStoredDataError& error) {
    outcome.error = std::string("container: ") + error.what();
  } catch (const EStreamError& error) {
    outcome.error = std::string("stream: ") + error.what();
  }
  return outcome;
}

bool SameFiles(const StoredContainer& a, const StoredContainer& b) {
  if (a.files.size() != b.files.size()) return false;
  for (std::size_t i = 0; i < a.files.size(); ++i) {
    const TMemoryStream& x = a.files[i].data;
    const TMemoryStream& y = b.files[i].data;
    if (a.files[i].name != b.files[i].name || x.Size() != y.Size()) return false;
    if (x.Size() != 0 && std::memcmp(x.Data(), y.Data(), static_cast<std::size_t>(x.Size())) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TSpanStream in_place(data, size);
  const Outcome lent = ReadFrom(in_place);
  CopyingStream copying(data, size);
  const Outcome copied = ReadFrom(copying);
  if (lent.read != copied.read || lent.error != copied.error) std::abort();
  if (!lent.read) return 0;
  if (!SameFiles(lent.container, copied.container)) std::abort();

  TMemoryStream written;
  lent.container.Write(written);
  TSpanStream again(written.Data(), static_cast<std::size_t>(written.Size()));
  StoredContainer reread;
  reread.Read(again);  // anything thrown here is a finding
  if (!reread.compressed || again.Remaining() != 0 || !SameFiles(lent.container, reread))
    std::abort();

  TMemoryStream rewritten;
  reread.Write(rewritten);
  if (rewritten.Size() != written.Size() ||
      std::memcmp(rewritten.Data(), written.Data(), static_cast<std::size_t>(written.Size())) !=
          0) {
    std::abort();
  }
  return 0;
}
