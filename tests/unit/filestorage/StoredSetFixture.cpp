#include "StoredSetFixture.h"

#include "base/ByteStream.h"
#include "storage/StoredData.h"

std::string MakeContainer(const std::vector<TTestFile>& files) {
  TMemoryStream stream;
  WriteStoredDataHeader(stream, static_cast<std::int32_t>(files.size()));
  for (const TTestFile& file : files) {
    WriteStoredRecord(stream, file.name, reinterpret_cast<const std::uint8_t*>(file.bytes.data()),
                      static_cast<std::int32_t>(file.bytes.size()));
  }
  return std::string(reinterpret_cast<const char*>(stream.Data()),
                     static_cast<std::size_t>(stream.Size()));
}

void LoadFiles(TFileStorage& set, const std::vector<TTestFile>& files) {
  const std::string container = MakeContainer(files);
  TSpanStream stream(container.data(), container.size());
  set.ReadStoredData(stream);
}

std::unique_ptr<TFileStorage> MakeFileSet(const std::vector<TTestFile>& files) {
  auto set = std::make_unique<TFileStorage>(nullptr);
  LoadFiles(*set, files);
  return set;
}

TFileStorage* TEventRecorder::NewSet() {
  auto* set = new TFileStorage(this);  // owned: destroyed with the recorder
  set->SetOnExtract(TOnExtractEvent(this, &TEventRecorder::HandleExtract));
  set->SetOnExtracted(TOnExtractedEvent(this, &TEventRecorder::HandleExtracted));
  return set;
}

void TEventRecorder::HandleExtract(TObject* sender, std::string fileName, int fileSize,
                                   bool& allowExtracting) {
  if (veto) allowExtracting = false;
  extracts.push_back({sender, std::move(fileName), fileSize, allowExtracting});
}

void TEventRecorder::HandleExtracted(TObject* sender, std::string fileName, int fileSize,
                                     bool successfully) {
  extracteds.push_back({sender, std::move(fileName), fileSize, successfully});
}
