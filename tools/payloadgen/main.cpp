// payloadgen MANIFEST OUTDIR: writes the stand-in payload, one folder per set.
#include <filesystem>
#include <iostream>
#include <system_error>

#include "PayloadManifest.h"
#include "StandInFile.h"
#include "tools/common/OutputFile.h"

namespace {

constexpr const char* kUsage =
    "usage: payloadgen MANIFEST OUTDIR\n\n"
    "Writes a stand-in file for every line of the payload manifest, with its stored\n"
    "name and decoded size, to OUTDIR/<set>/<name>. The bytes are the same on every run.\n";

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
