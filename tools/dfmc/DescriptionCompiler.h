// Compiles the text form of a window description (SourceParser.h) into the binary
// stream the program carries (toolkit/DescriptionFormat.h), checking every class,
// property and value against the class schemas. Properties are written in declared
// order, whatever their order in the source, and a value equal to its declared
// default is left out, so that the stream is the one the component writer would
// produce for the same components.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SourceParser.h"
#include "toolkit/Schema.h"

struct CompiledDescription {
  std::vector<std::uint8_t> bytes;
  std::vector<std::string> inputFiles;  // every file a value was read from, as found
};

// Files named by `file "..."` are looked up in each folder of searchPath in turn,
// then in the source file's own folder; an absolute name is taken as it is.
// Throws ECompileError ("file:line: what is wrong").
CompiledDescription CompileDescription(const std::string& sourceText, const std::string& sourceName,
                                       const std::vector<std::string>& searchPath,
                                       const SchemaRegistry& schemas);
