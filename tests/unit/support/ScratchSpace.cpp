#include "ScratchSpace.h"

#include <atomic>
#include <random>

std::string UniqueTestSuffix() {
  static std::atomic<unsigned> counter{0};
  // Two draws of the system's entropy tell runs apart; the counter, names within one.
  static const std::string run = [] {
    std::random_device entropy;
    return std::to_string(entropy()) + "-" + std::to_string(entropy());
  }();
  return run + "-" + std::to_string(counter++);
}
