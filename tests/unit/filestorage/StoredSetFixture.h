// Stored-file sets for the tests: filled from containers made in memory, owned by
// a window stand-in that records the events it receives.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Component.h"
#include "storage/win32/FileStorage.h"
#include "tests/unit/support/ScratchSpace.h"

struct TTestFile {
  std::string name;
  std::string bytes;
};

// The compressed container of files, in order.
std::string MakeContainer(const std::vector<TTestFile>& files);
// Reads the container of files into set, as loading the window description does.
void LoadFiles(TFileStorage& set, const std::vector<TTestFile>& files);
// A set without an owner, holding the files.
std::unique_ptr<TFileStorage> MakeFileSet(const std::vector<TTestFile>& files);

struct TExtractCall {
  TObject* sender;
  std::string fileName;
  int fileSize;
  bool result;  // AllowExtracting as the handler left it, or Successfully
};

// The set's owner: handles OnExtract and OnExtracted of the sets it owns and
// records every call.
class TEventRecorder : public TComponent {
 public:
  TEventRecorder() : TComponent(nullptr) {}

  // A new set owned by this recorder, with both events bound to it.
  TFileStorage* NewSet();

  void HandleExtract(TObject* sender, std::string fileName, int fileSize, bool& allowExtracting);
  void HandleExtracted(TObject* sender, std::string fileName, int fileSize, bool successfully);

  bool veto = false;
  std::vector<TExtractCall> extracts;
  std::vector<TExtractCall> extracteds;
};

// A set owned by a recording window, holding files, and a scratch folder to write
// into (removed before the window and its set go).
class StoredSetTest : public ::testing::Test {
 protected:
  explicit StoredSetTest(const std::vector<TTestFile>& files) : set(window.NewSet()) {
    LoadFiles(*set, files);
  }
  TEventRecorder window;
  TFileStorage* set;
  TScratchFolder scratch;
};
