// payloadgen MANIFEST OUTDIR: writes the stand-in payload, one folder per set.
// payloadgen list MANIFEST: the manifest as the build reads it (cmake/Payload.cmake),
// so that this program's parser is the only one.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "PayloadManifest.h"
#include "StandInFile.h"
#include "tools/common/OutputFile.h"

namespace {

constexpr const char* kUsage =
    "usage: payloadgen MANIFEST OUTDIR\n"
    "       payloadgen list MANIFEST\n\n"
    "Writes a stand-in file for every line of the payload manifest, with its stored\n"
    "name and decoded size, to OUTDIR/<set>/<name>. The bytes are the same on every run.\n"
    "list prints the manifest's files in stored order, one \"set name size\" a line,\n"
    "after checking the whole manifest.\n";

int ListManifest(const std::string& manifest) {
  const std::vector<ManifestEntry> entries = LoadManifest(manifest);
  for (const ManifestEntry& entry : entries) {
    std::cout << entry.set << ' ' << entry.name << ' ' << entry.size << '\n';
  }
  std::cout.flush();
  return std::cout ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::cout << kUsage;
    return 0;
  }
  if (argc != 3) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    if (std::string(argv[1]) == "list") return ListManifest(argv[2]);
    const std::filesystem::path folder = argv[2];
    for (const ManifestEntry& entry : LoadManifest(argv[1])) {
      const std::filesystem::path set_folder = folder / entry.set;
      std::error_code failure;
      std::filesystem::create_directories(set_folder, failure);
      if (failure) {
        std::cerr << "payloadgen: " << set_folder.string() << ": cannot create the folder ("
                  << failure.message() << ")\n";
        return 1;
      }
      const std::vector<std::uint8_t> bytes =
          MakeStandInFile(entry.set, entry.name, static_cast<std::size_t>(entry.size));
      WriteOutputFile((set_folder / entry.name).string(), bytes.data(), bytes.size());
    }
  } catch (const EManifestError& error) {
    std::cerr << "payloadgen: " << error.what() << '\n';
    return 1;
  } catch (const EOutputError& error) {
    std::cerr << "payloadgen: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
