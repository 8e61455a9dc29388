// dfmc: compiles a window description source into the binary description the
// program carries as a resource.
//
//   dfmc [-I folder]... [--form Class]... [-d depfile] -o output source
//
// --form names a form class that publishes nothing beyond TForm's (a program's own
// window classes, which the tool cannot know otherwise);
// -I adds a folder to search for the files that `file "..."` values name; -d writes
// a make-style dependency file listing the source and every file read, so that the
// build compiles again when a picture or a container changes. Errors go to stderr
// as "file:line: what is wrong" (or "path: what is wrong") and the exit code is 1;
// nothing is written then, and an output or dependency file that was there stays as
// it was (OutputFile.h).
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "DescriptionCompiler.h"
#include "installer/ProductSchemas.h"
#include "toolkit/ToolkitSchemas.h"
#include "tools/common/InputFile.h"
#include "tools/common/OutputFile.h"

namespace {

struct Options {
  std::vector<std::string> searchPath;
  std::vector<std::string> formClasses;
  std::string depfile;
  std::string output;
  std::string source;
};

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasNext = i + 1 < argc;
    if (arg == "-I" && hasNext)
      options.searchPath.push_back(argv[++i]);
    else if (arg.rfind("-I", 0) == 0 && arg.size() > 2)
      options.searchPath.push_back(arg.substr(2));
    else if (arg == "--form" && hasNext)
      options.formClasses.push_back(argv[++i]);
    else if (arg == "-d" && hasNext)
      options.depfile = argv[++i];
    else if (arg == "-o" && hasNext)
      options.output = argv[++i];
    else if (!arg.empty() && arg[0] != '-' && options.source.empty())
      options.source = arg;
    else
      return false;
  }
  return !options.output.empty() && !options.source.empty();
}

// Make's rules: a blank in a name is escaped.
std::string DepName(const std::string& name) {
  std::string escaped;
  for (char c : name) {
    if (c == ' ') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::string DependencyText(const Options& options, const CompiledDescription& compiled) {
  std::ostringstream deps;
  deps << DepName(options.output) << ":";
  deps << " " << DepName(options.source);
  for (const std::string& file : compiled.inputFiles) deps << " " << DepName(file);
  deps << "\n";
  return deps.str();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) {
    std::cerr << "usage: dfmc [-I folder]... [--form Class]... [-d depfile] -o output source\n";
    return 2;
  }
  std::string text;
  try {
    text = ReadInputText(options.source);
  } catch (const EInputError& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }

  // Every class a description of this product can name.
  SchemaRegistry schemas;
  AddToolkitSchemas(schemas);
  AddProductSchemas(schemas);
  CompiledDescription compiled;
  try {
    for (const std::string& formClass : options.formClasses) {
      if (!schemas.FindClass(formClass)) schemas.AddClass(formClass, "TForm");
    }
    compiled = CompileDescription(text, options.source, options.searchPath, schemas);
  } catch (const ECompileError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << options.source << ": " << e.what() << "\n";
    return 1;
  }

  // Both files are written whole under temporary names before either is moved into
  // place, so that a failure to write either leaves both targets as they were. The
  // dependency file is moved first: a new description never stands beside the list
  // of inputs of an older one.
  try {
    TPendingOutput description(options.output);
    description.Write(compiled.bytes.data(), compiled.bytes.size());
    if (!options.depfile.empty()) {
      const std::string deps = DependencyText(options, compiled);
      TPendingOutput depfile(options.depfile);
      depfile.Write(deps.data(), deps.size());
      depfile.Commit();
    }
    description.Commit();
  } catch (const EOutputError& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}
